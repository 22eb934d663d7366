#!/usr/bin/env bash
# Starts the editor with the demo loaded: installs what is missing, builds, makes the demo's sample
# pictures and watermark, and starts plazor on examples/demo/demo.dat with those pictures as its source
# folder. Without a display (or with --screenshot) it runs the editor on a virtual X server with a
# throwaway home, leaves a screenshot and ends it again.
#
# Usage: scripts/editor.sh [--screenshot [PNG]]      (default PNG: <build>/editor.png)
# Environment: PLAZOR_BUILD_DIR (default ./build), PLAZOR_SCREENSHOT_WAIT seconds (default 5).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
shot=""
if [ "${1:-}" = "--screenshot" ]; then
  shot="${2:-$build/editor.png}"
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$build/editor.png"
fi

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZOR_BUILD_GUI=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target plazor z_tandro plazor-make-samples

demo="$build/demo"
mkdir -p "$demo"
rm -rf "$demo/pictures"
"$build/tools/plazor-make-samples" "$demo/pictures" --count 10 --varied
"$build/tools/plazor-make-samples" --watermark "$demo/watermark.png"
# The demo names its watermark relative to the folder a run starts in; the editor's copy names it in
# full, in the template file's encoding.
watermark="$(printf '%s' "$demo/watermark.png" | iconv -f UTF-8 -t GB18030 | sed 's/[\\/&|]/\\&/g')"
LC_ALL=C sed "s|\"path\":\t\"watermark.png\"|\"path\":\t\"$watermark\"|" "$root/examples/demo/demo.dat" \
  >"$demo/editor-demo.dat"

program="$build/src/app/plazor"
if [ -z "$shot" ]; then
  exec "$program" "$demo/editor-demo.dat" "$demo/pictures"
fi

mkdir -p "$(dirname "$shot")"
shot="$(cd "$(dirname "$shot")" && pwd)/$(basename "$shot")"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config" "$home/Desktop" "$home/runtime"
chmod 700 "$home/runtime"
# The preference that the launcher question's "不再提示" writes: the picture shows the editor alone.
printf '[General]\ncheck_shortcut_status=0\n' >"$home/.config/PlazorTramu.ini"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_STATE_HOME="$home/.local/state"
export XDG_RUNTIME_DIR="$home/runtime"
unset QT_QPA_PLATFORM
# The editor and the capture share one virtual display; the editor is ended by its own id.
timeout 120 xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$1" "$2" "$3" &
  pid=$!
  sleep "$4"
  import -window root "$5"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
' editor "$program" "$demo/editor-demo.dat" "$demo/pictures" "${PLAZOR_SCREENSHOT_WAIT:-5}" "$shot"
echo "$shot"
