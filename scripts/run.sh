#!/usr/bin/env bash
# Renders the built-in demo: installs what is missing, builds, makes the demo's sample pictures and
# watermark, runs plazor-batch on examples/demo/demo.dat and lists the pictures it wrote.
#   scripts/run.sh [OUTPUT_FOLDER]      (default: build/demo/output)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target plazor-batch plazor-make-samples

demo="$build/demo"
out="${1:-$demo/output}"
# The default output folder is the demo's own: start it empty so a second run does not add "(2)" names.
[ -z "${1:-}" ] && rm -rf "$out"
rm -rf "$demo/pictures"
mkdir -p "$demo" "$out"
"$build/tools/plazor-make-samples" "$demo/pictures" --count 10 --varied
"$build/tools/plazor-make-samples" --watermark "$demo/watermark.png"

# The template names its watermark "watermark.png", relative to the folder the run starts in.
cd "$demo"
"$build/src/batch/plazor-batch" render "$root/examples/demo/demo.dat" "$demo/pictures" "$out"
echo "Written:"
ls -l "$out"
