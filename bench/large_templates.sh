#!/usr/bin/env bash
# Templates that used to cost minutes or gigabytes, and layouts beyond the system policy's caps:
#  - loading templates of 25,000, 50,000 and 100,000 paste layers (the time should grow linearly);
#  - one batch with 100,000 watermark layers of one small picture (decoded once: memory stays flat);
#  - a 750 x 30000 page with nine slices and an HTML page, and a 10000 x 6000 (60-megapixel) poster,
#    each rendered with --jobs 2 (both must write every file and exit 0).
# Prints wall time, peak memory and the exit code of each.
#   bench/large_templates.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
batch="$build/src/batch/plazor-batch"
work="$build/bench-large"
rm -rf "$work"
mkdir -p "$work/src" "$work/one"
"$build/tools/plazor-make-samples" "$work/src" --count 4 --varied >/dev/null
"$build/tools/plazor-make-samples" --watermark "$work/mark.png" >/dev/null
cp "$(ls "$work/src"/* | head -1)" "$work/one/"

# template PATH WIDTH HEIGHT PASTE-ITEMS WATERMARK-ITEMS CUTLINE-ITEMS CUTLINE-ON: a colour background template.
template() {
  printf '{"background_type":1,"width":"%s","height":"%s","background_color":"#ffffff",' "$2" "$3" >"$1"
  printf '"picture_items":[%s],"pictures_show_select_area":1,"pictures_show_picture":1,' "$4" >>"$1"
  printf '"watermark_items":[%s],"watermark_show_select_area":1,"watermark_open":1,' "$5" >>"$1"
  printf '"cutline_items":[%s],"cutline_html_open":%s,"cutline_open":%s,"format":"JPG","quality":90}' \
    "$6" "$7" "$7" >>"$1"
}
# items COUNT FORMAT: COUNT comma-separated copies of the printf FORMAT, given the index.
items() { awk -v n="$1" -v f="$2" 'BEGIN { for (i = 0; i < n; i++) printf (i ? "," : "") f, i }'; }

measure() {
  local name=$1; shift
  local status=0
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || status=$?
  read -r wall peak <"$work/time"
  awk -v n="$name" -v w="$wall" -v m="$peak" -v s="$status" \
    'BEGIN { printf "%-34s %7.2f s  peak %7.1f MB  exit %d\n", n, w, m / 1024, s }'
}

for n in 25000 50000 100000; do
  template "$work/layers$n.dat" 800 800 \
    "$(items "$n" '{"x":%d,"y":0,"width":1,"height":1,"layer_level":0,"overflow_style":0}')" "" "" 0
  measure "load $n paste layers" "$batch" template "$work/layers$n.dat"
done

template "$work/marks.dat" 800 800 '{"x":0,"y":0,"width":400,"height":400,"layer_level":0,"overflow_style":0}' \
  "$(items 100000 '{"x":%d,"y":10,"path":"'"$work"'/mark.png"}')" "" 0
measure "100000 watermarks, one batch" "$batch" render "$work/marks.dat" "$work/one" "$work/out-marks"

slots='{"x":0,"y":500,"width":750,"height":6000,"layer_level":0,"overflow_style":1},{"x":0,"y":15500,"width":750,"height":6000,"layer_level":0,"overflow_style":1}'
template "$work/page.dat" 750 30000 "$slots" "" "$(items 9 '{"y":%d}' | awk -F, '{ for (i = 1; i <= NF; i++) { sub(/[0-9]+/, (i * 3000), $i) } print }' OFS=,)" 1
measure "750 x 30000 page, 9 slices, -j 2" "$batch" render "$work/page.dat" "$work/src" "$work/out-page" --jobs 2

template "$work/poster.dat" 10000 6000 \
  '{"x":500,"y":500,"width":4000,"height":3000,"layer_level":0,"overflow_style":4},{"x":5500,"y":2500,"width":4000,"height":3000,"layer_level":0,"overflow_style":4}' "" "" 0
measure "10000 x 6000 poster, -j 2" "$batch" render "$work/poster.dat" "$work/src" "$work/out-poster" --jobs 2
