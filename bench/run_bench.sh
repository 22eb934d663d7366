#!/usr/bin/env bash
# The standard job: 200 source JPEGs of 3000 x 2000 into a 2 x 2 grid of 385 x 385 slots on an
# 800 x 800 white background, JPG quality 90 -> 50 outputs. Measures plazor-batch with 1 and 2 jobs
# and, side by side, ImageMagick's own convert doing the same composition (full decode, Lanczos),
# one process per batch, two processes at a time. Prints batches per second, CPU seconds per batch,
# peak memory and the speed ratio; checks that --jobs 2 writes the same bytes as --jobs 1.
#   bench/run_bench.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
work="$build/bench"
"$root/bench/make_dataset.sh" "$work/sources" >/dev/null
batch="$build/src/batch/plazor-batch"
template="$root/bench/grid_2x2.dat"
batches=50

# measure NAME COMMAND...: runs COMMAND under GNU time; prints one result line.
measure() {
  local name=$1; shift
  local log="$work/$name.time"
  /usr/bin/time -f '%e %U %S %M' -o "$log" "$@" >/dev/null
  read -r wall user sys peak <"$log"
  awk -v n="$name" -v w="$wall" -v u="$user" -v s="$sys" -v m="$peak" -v b=$batches 'BEGIN {
    printf "%-22s %7.2f s  %6.2f batches/s  %5.3f CPU s/batch  peak %6.1f MB\n", n, w, b / w, (u + s) / b, m / 1024 }'
  echo "$wall" >"$work/$name.wall"
}

rm -rf "$work/out1" "$work/out2" "$work/outc"
mkdir -p "$work/out1" "$work/out2" "$work/outc"
measure "plazor-batch --jobs 1" "$batch" render "$template" "$work/sources" "$work/out1" --jobs 1
measure "plazor-batch --jobs 2" "$batch" render "$template" "$work/sources" "$work/out2" --jobs 2

# One convert per batch, the same composition, two at a time. Peak memory is that of one process.
ls "$work/sources"/*.jpg | sort | xargs -n 4 | awk '{ printf "%s %s %s %s %s\n", NR, $1, $2, $3, $4 }' >"$work/batches.txt"
cat >"$work/one_batch.sh" <<'SH'
#!/usr/bin/env bash
set -e
out=$1; shift; n=$1; shift
convert -size 800x800 xc:white -density 72 -units PixelsPerInch \
  \( "$1" -filter Lanczos -resize '385x385!' \) -geometry +10+10 -composite \
  \( "$2" -filter Lanczos -resize '385x385!' \) -geometry +405+10 -composite \
  \( "$3" -filter Lanczos -resize '385x385!' \) -geometry +10+405 -composite \
  \( "$4" -filter Lanczos -resize '385x385!' \) -geometry +405+405 -composite \
  -quality 90 "$out/batch$n.jpg"
SH
chmod +x "$work/one_batch.sh"
measure "convert, 2 processes" xargs -P 2 -L 1 "$work/one_batch.sh" "$work/outc" <"$work/batches.txt"

if diff -r "$work/out1" "$work/out2" >/dev/null; then
  echo "--jobs 2 output is byte-identical to --jobs 1 ($(ls "$work/out1" | wc -l) files)"
else
  echo "--jobs 2 output DIFFERS from --jobs 1" >&2
  exit 1
fi
awk -v a="$(cat "$work/convert, 2 processes.wall")" -v b="$(cat "$work/plazor-batch --jobs 2.wall")" \
  'BEGIN { printf "plazor-batch --jobs 2 is %.2f x the speed of convert (2 processes)\n", a / b }'
