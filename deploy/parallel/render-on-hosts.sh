#!/usr/bin/env bash
# Renders a run plan on several machines with GNU parallel over ssh: shard k of SHARDS runs on
# whichever host has a free slot. Every host must mount the plan, the source folder and the output
# folder at the paths written in the plan (an NFS or SMB share, say) and have plazor-batch installed.
#
#   deploy/parallel/render-on-hosts.sh PLAN SHARDS LOGIN...
#
# LOGIN is GNU parallel's --sshlogin: "user@host", "2/user@host" for two shards at a time there,
# ":" for this machine. PLAZOR_BATCH names the program on the hosts (default: plazor-batch).
# Example, eight shards over two machines with two cores each (one worker per shard):
#   plazor-batch plan /mnt/job/t.dat /mnt/job/src /mnt/job/out > /mnt/job/plan.json
#   deploy/parallel/render-on-hosts.sh /mnt/job/plan.json 8 2/render1 2/render2
# A shard that fails stops new ones from starting; running this again goes on where it stopped
# (--resume skips the batches already written). Exit status: 0 when every shard finished.
set -euo pipefail
if [ $# -lt 3 ]; then
  sed -n '2,16p' "$0" >&2
  exit 4
fi
plan=$1
shards=$2
shift 2
logins=()
for login in "$@"; do logins+=(--sshlogin "$login"); done
seq 0 $((shards - 1)) | parallel --will-cite --halt soon,fail=1 --line-buffer --tag "${logins[@]}" \
  "${PLAZOR_BATCH:-plazor-batch}" render --plan "$plan" --shard "{}/$shards" --resume --jobs 1
