#!/usr/bin/env bash
# A user's walkthrough of the editor: builds plazor and the walkthrough test, then runs the test on a
# virtual X server with a throwaway home and XDG folders. The test starts the editor as the program
# does, drives its widgets (new template, two paste layers typed in through their dialog, source and
# output folders through the folder dialog, a run with its progress window and completion question,
# save, open again, new; then on the canvas with real X pointer, key and wheel events through xdotool:
# two layers drawn, one resized by a grip, one dragged, both caught by a rubber band and aligned from
# the context menu, Ctrl+wheel zoom, Space panning, save and a check of the saved geometry) and
# leaves one screenshot per step in <build>/walkthrough/NN-name.png.
#
# Usage: scripts/walkthrough.sh [gtest options...]
# Environment: PLAZOR_BUILD_DIR (default ./build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZOR_BUILD_GUI=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target plazor plazor-make-samples walkthrough_test

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
export QT_QPA_PLATFORM=xcb PLAZOR_WALKTHROUGH_SHOTS="$shots"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION

status=0
timeout 300 xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/tests/walkthrough/walkthrough_test" "$@" || status=$?
echo "Screenshots:"
ls -1 "$shots"
exit "$status"
