#!/usr/bin/env bash
# The standard job: 200 source JPEGs of 3000 x 2000 into a 2 x 2 grid of 385 x 385 slots (stretched)
# on an 800 x 800 white background, JPG quality 90 -> 50 outputs, measured side by side:
#   plazor-batch (scaled decoding, the default) and plazor-batch --exact, both with --jobs 2;
#   ImageMagick's convert, one process per batch, two at a time (full decode, Lanczos);
#   a Pillow script with draft (reduced-size) JPEG decoding and LANCZOS, two processes at a time;
#   a libvips pipeline, vipsthumbnail for the slots and vips to composite, two batches at a time.
# Every contestant runs ROUNDS times in turn (default 3) and its fastest round counts, so a busy
# machine disturbs the comparison less. Prints batches per second, CPU seconds per batch, peak memory
# (of the largest process) and the ratios; checks that --jobs 1 writes the same bytes as --jobs 2.
#   bench/run_bench.sh            ROUNDS=1 bench/run_bench.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
work="$build/bench"
rounds="${ROUNDS:-3}"
batches=50

# The peers come from Debian too; only the benchmark needs them.
peers=(python3-pil libvips-tools imagemagick time)
missing=()
for p in "${peers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

"$root/bench/make_dataset.sh" "$work/sources" >/dev/null
batch="$build/src/batch/plazor-batch"
template="$root/bench/grid_2x2.dat"
ls "$work/sources"/*.jpg | sort | xargs -n 4 | awk '{ printf "%s %s %s %s %s\n", NR, $1, $2, $3, $4 }' >"$work/batches.txt"

cat >"$work/convert_batch.sh" <<'SH'
#!/usr/bin/env bash
set -e
out=$1; n=$2; shift 2
convert -size 800x800 xc:white -density 72 -units PixelsPerInch \
  \( "$1" -filter Lanczos -resize '385x385!' \) -geometry +10+10 -composite \
  \( "$2" -filter Lanczos -resize '385x385!' \) -geometry +405+10 -composite \
  \( "$3" -filter Lanczos -resize '385x385!' \) -geometry +10+405 -composite \
  \( "$4" -filter Lanczos -resize '385x385!' \) -geometry +405+405 -composite \
  -quality 90 "$out/batch$n.jpg"
SH

# Debian's own interpreter, which python3-pil serves. Each Pillow process renders a run of batches (arguments: OUT, then N F1 F2 F3 F4 per batch), so the
# interpreter's start-up is not what is measured.
cat >"$work/pillow_batches.py" <<'PY'
import sys
from PIL import Image
out, args = sys.argv[1], sys.argv[2:]
slots = [(10, 10), (405, 10), (10, 405), (405, 405)]
for i in range(0, len(args), 5):
    n, files = args[i], args[i + 1:i + 5]
    canvas = Image.new("RGB", (800, 800), "white")
    for path, at in zip(files, slots):
        with Image.open(path) as picture:
            picture.draft("RGB", (385, 385))
            canvas.paste(picture.convert("RGB").resize((385, 385), Image.LANCZOS), at)
    canvas.save(f"{out}/batch{n}.jpg", quality=90, dpi=(72, 72))
PY

cat >"$work/vips_batch.sh" <<'SH'
#!/usr/bin/env bash
set -e
out=$1; n=$2; shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
vipsthumbnail --size '385x385!' -o "$tmp/%s.v" "$@"
slots=()
for f in "$@"; do slots+=("$tmp/$(basename "${f%.*}").v"); done
vips arrayjoin "${slots[*]}" "$tmp/grid.v" --across 2 --shim 10 --background 255
vips embed "$tmp/grid.v" "$out/batch$n.jpg[Q=90]" 10 10 800 800 --extend background --background 255
SH
chmod +x "$work/convert_batch.sh" "$work/vips_batch.sh"

names=("plazor-batch" "plazor-batch --exact" "convert, 2 at a time" "Pillow draft, 2 procs" "libvips, 2 at a time")
run_contestant() {
  local out="$work/out$1"
  rm -rf "$out" && mkdir -p "$out"
  case $1 in
    0) "$batch" render "$template" "$work/sources" "$out" --jobs 2 ;;
    1) "$batch" render "$template" "$work/sources" "$out" --jobs 2 --exact ;;
    2) xargs -P 2 -L 1 "$work/convert_batch.sh" "$out" <"$work/batches.txt" ;;
    3) xargs -P 2 -L $((batches / 2)) /usr/bin/python3 "$work/pillow_batches.py" "$out" <"$work/batches.txt" ;;
    4) xargs -P 2 -L 1 "$work/vips_batch.sh" "$out" <"$work/batches.txt" ;;
  esac
}

declare -A wall cpu peak
for ((r = 1; r <= rounds; r++)); do
  for i in 0 1 2 3 4; do
    log="$work/contestant$i.time"
    /usr/bin/time -f '%e %U %S %M' -o "$log" bash -c "$(declare -f run_contestant); work='$work' batch='$batch' \
      template='$template' batches=$batches run_contestant $i" >/dev/null
    read -r w u s m <"$log"
    [ "$(ls "$work/out$i" | wc -l)" -eq $batches ] || { echo "${names[$i]} wrote $(ls "$work/out$i" | wc -l) files" >&2; exit 1; }
    if [ -z "${wall[$i]:-}" ] || awk -v a="$w" -v b="${wall[$i]}" 'BEGIN { exit !(a < b) }'; then
      wall[$i]=$w
      cpu[$i]=$(awk -v u="$u" -v s="$s" 'BEGIN { print u + s }')
      peak[$i]=$m
    fi
  done
done

printf '%-24s %8s %10s %12s %10s\n' "" "wall s" "batches/s" "CPU s/batch" "peak MB"
for i in 0 1 2 3 4; do
  awk -v n="${names[$i]}" -v w="${wall[$i]}" -v c="${cpu[$i]}" -v m="${peak[$i]}" -v b=$batches 'BEGIN {
    printf "%-24s %8.2f %10.2f %12.3f %10.1f\n", n, w, b / w, c / b, m / 1024 }'
done
echo "(fastest of $rounds rounds each)"
for i in 2 3 4; do
  awk -v n="${names[$i]}" -v a="${wall[$i]}" -v d="${wall[0]}" -v e="${wall[1]}" 'BEGIN {
    printf "vs %-22s plazor-batch %.2f x   --exact %.2f x\n", n, a / d, a / e }'
done

rm -rf "$work/out1j" && mkdir -p "$work/out1j"
"$batch" render "$template" "$work/sources" "$work/out1j" --jobs 1 >/dev/null
if diff -r "$work/out1j" "$work/out0" >/dev/null; then
  echo "--jobs 2 output is byte-identical to --jobs 1 ($(ls "$work/out0" | wc -l) files)"
else
  echo "--jobs 2 output DIFFERS from --jobs 1" >&2
  exit 1
fi
