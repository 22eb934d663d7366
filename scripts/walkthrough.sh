#!/usr/bin/env bash
# A user's walkthrough of the editor: builds plazor and the walkthrough test, then runs the test on a
# virtual X server with a throwaway home and XDG folders. The test starts the editor as the program
# does, drives its widgets (new template, two paste layers typed in through their dialog, source and
# output folders through the folder dialog, a run with its progress window and completion question,
# save, open again, new, the size fields in centimetres; then on the canvas with real X pointer, key
# and wheel events through xdotool: two layers drawn, one resized by a grip, one dragged, both caught
# by a rubber band and aligned from the context menu, Ctrl+wheel zoom, Space panning, save and a check
# of the saved geometry; then the companion z_tandro started beside the editor, bound to it and run
# over two folders; last a slice) and leaves one screenshot per step in <build>/walkthrough/NN-name.png.
#
# Usage: scripts/walkthrough.sh [--guide-shots DIR] [gtest options...]
#   --guide-shots DIR  also writes the user guide's pictures (docs/guide.md shows docs/images/) into DIR
# Environment: PLAZOR_BUILD_DIR (default ./build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
guide=""
if [ "${1:-}" = --guide-shots ]; then
  [ -n "${2:-}" ] || { echo "walkthrough.sh: --guide-shots needs a folder" >&2; exit 2; }
  mkdir -p "$2"
  guide="$(cd "$2" && pwd)"
  shift 2
fi
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZOR_BUILD_GUI=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target plazor z_tandro plazor-make-samples walkthrough_test

shots="$build/walkthrough"
rm -rf "$shots"
mkdir -p "$shots"

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config" "$home/.local/share" "$home/.local/state" "$home/.cache" "$home/Desktop" \
  "$home/Documents" "$home/runtime"
chmod 700 "$home/runtime"

export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_STATE_HOME="$home/.local/state" XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime"
export QT_QPA_PLATFORM=xcb PLAZOR_WALKTHROUGH_SHOTS="$shots" PLAZOR_GUIDE_SHOTS="$guide"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION

status=0
timeout 300 xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/tests/walkthrough/walkthrough_test" "$@" || status=$?
echo "Screenshots:"
ls -1 "$shots"
if [ -n "$guide" ]; then
  echo "Guide pictures in $guide:"
  ls -1s "$guide"
fi
exit "$status"
