#!/usr/bin/env bash
# Scale run: folders of tiny source pictures (default 10,000 and 100,000) into a 2 x 2 grid of
# 32 x 32 slots (bench/tiny_grid.dat), one output per four pictures. For each size it times the
# listing and checks (`check`), the planning (`plan`), a plain `render` and a `render --plan` with
# two jobs, and prints wall time, peak memory and the plan's size. Memory should stay flat as the
# run grows: the per-batch work is the same, only the source list and the plan grow.
#   bench/scale_run.sh [COUNT...]
# The pictures are 16 tiny JPEGs hard-linked under COUNT names (made once per count).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
work="$build/bench/scale"
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target plazor-make-samples plazor-batch >/dev/null
batch="$build/src/batch/plazor-batch"
template="$root/bench/tiny_grid.dat"

if [ ! -d "$work/seed" ]; then
  "$build/tools/plazor-make-samples" "$work/seed.tmp" --count 16 --size 24x16 --prefix seed_ >/dev/null
  mv "$work/seed.tmp" "$work/seed"
fi

# measure LABEL COMMAND...: runs COMMAND (stdout to $work/stdout) under GNU time.
measure() {
  local label=$1; shift
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >"$work/stdout" 2>"$work/stderr" || {
    echo "$label failed:" >&2; tail -5 "$work/stderr" >&2; exit 1; }
  read -r wall peak <"$work/time"
  printf "  %-22s %8.2f s   peak %7.1f MB\n" "$label" "$wall" "$(awk -v m="$peak" 'BEGIN { print m / 1024 }')"
}

for n in "${counts[@]}"; do
  src="$work/src-$n"
  if [ "$(find "$src" -maxdepth 1 -name '*.jpg' 2>/dev/null | wc -l)" -ne "$n" ]; then
    rm -rf "$src"
    /usr/bin/python3 - "$work/seed" "$src" "$n" <<'PY'
import os, sys
seed, src, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
pictures = sorted(os.listdir(seed))
os.makedirs(src)
for i in range(n):
    os.link(os.path.join(seed, pictures[i % len(pictures)]), os.path.join(src, "tiny_%06d.jpg" % i))
PY
  fi
  echo "$n pictures, $(( (n + 3) / 4 )) batches:"
  rm -rf "$work/out-$n" "$work/plan-out-$n"
  measure "list and check" "$batch" check "$template" "$src" "$work/out-$n"
  measure "plan" "$batch" plan "$template" "$src" "$work/plan-out-$n"
  cp "$work/stdout" "$work/plan-$n.json"
  printf "  %-22s %8.1f MB\n" "plan file" "$(awk -v b="$(stat -c %s "$work/plan-$n.json")" 'BEGIN { print b / 1048576 }')"
  measure "render --jobs 2" "$batch" render "$template" "$src" "$work/out-$n" --jobs 2
  measure "render --plan --jobs 2" "$batch" render --plan "$work/plan-$n.json" --jobs 2
  outputs=$(find "$work/plan-out-$n" -name '*.jpg' | wc -l)
  [ "$outputs" -eq $(( (n + 3) / 4 )) ] || { echo "expected $(( (n + 3) / 4 )) outputs, found $outputs" >&2; exit 1; }
  diff -rq "$work/out-$n" "$work/plan-out-$n" >/dev/null || { echo "render and render --plan differ" >&2; exit 1; }
  rm -rf "$work/out-$n" "$work/plan-out-$n"
done
