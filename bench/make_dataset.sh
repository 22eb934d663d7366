#!/usr/bin/env bash
# Makes the benchmark's deterministic dataset: 200 source JPEGs of 3000 x 2000 (about 40 s).
#   bench/make_dataset.sh [FOLDER]      (default: build/bench/sources)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
folder="${1:-$build/bench/sources}"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target plazor-make-samples plazor-batch >/dev/null
if [ "$(find "$folder" -name '*.jpg' 2>/dev/null | wc -l)" -eq 200 ]; then
  echo "dataset ready: $folder"
  exit 0
fi
rm -rf "$folder"
"$build/tools/plazor-make-samples" "$folder" --count 200 --size 3000x2000 --prefix src_
