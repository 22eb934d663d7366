#!/usr/bin/env bash
# deploy/parallel/render-on-hosts.sh with this machine as the only host and four shard processes at
# a time: the shards together must write the very files and bytes of one plain run, including two
# batches named "photo" (photo.jpg, photo.png) that land in different shards.
#   parallel_shards_test.sh PLAZOR_BATCH PLAZOR_MAKE_SAMPLES RENDER_ON_HOSTS
set -euo pipefail
batch=$1 samples=$2 script=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$samples" "$work/src" --count 9 --size 64x48 --varied >/dev/null
cp "$work/src/photo_001.jpg" "$work/src/photo.jpg"
convert "$work/src/photo_002.jpg" "$work/src/photo.png"
cat >"$work/t.dat" <<'DAT'
{"background_type":1,"width":"96","height":"64","szWidth":"96","szHeight":"64","unit":0,"dpi":72,
 "background_color":"#ffffff","pictures_show_select_area":1,"pictures_show_picture":1,
 "picture_items":[{"x":8,"y":8,"width":80,"height":48,"layer_level":0,"overflow_style":0}],
 "watermark_open":0,"watermark_show_select_area":1,"watermark_items":[],
 "cutline_open":0,"cutline_html_open":0,"cutline_items":[],"format":"JPG","quality":90,"colorspace":"sRGB"}
DAT

"$batch" render "$work/t.dat" "$work/src" "$work/one" --jobs 1 >/dev/null
"$batch" plan "$work/t.dat" "$work/src" "$work/many" >"$work/plan.json" 2>/dev/null
PLAZOR_BATCH="$batch" "$script" "$work/plan.json" 4 4/: >"$work/log"

if [ "$(grep -c 'finished: .* (shard [0-3]/4)' "$work/log")" -ne 4 ]; then
  echo "FAIL: expected four finished shards:" >&2
  cat "$work/log" >&2
  exit 1
fi
for name in photo.jpg "photo(2).jpg"; do
  [ -s "$work/one/$name" ] || { echo "FAIL: the plain run wrote no $name" >&2; exit 1; }
done
if ! diff -r "$work/one" "$work/many" >&2; then
  echo "FAIL: the shards wrote other files than one run" >&2
  exit 1
fi
# Run again: every batch is there, so every shard skips its share and writes nothing.
PLAZOR_BATCH="$batch" "$script" "$work/plan.json" 4 4/: >"$work/log2"
[ "$(grep -c 'finished: 0 batches' "$work/log2")" -eq 4 ] || { cat "$work/log2" >&2; exit 1; }
diff -r "$work/one" "$work/many" >&2
echo ok
