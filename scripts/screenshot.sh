#!/usr/bin/env bash
# Takes a screenshot of plazor: builds it when needed, starts it on a virtual X server with a
# throwaway home and configuration, waits, captures the whole screen with ImageMagick's `import` and
# ends the program again.
#
# Usage: scripts/screenshot.sh [output.png] [--with-question]
#   output.png        where the picture goes (default: <build>/screenshot.png)
#   --with-question   leave the desktop-launcher question on the screen (it is switched off otherwise)
# Environment: PLAZOR_BUILD_DIR (default ./build), PLAZOR_SCREENSHOT_WAIT seconds (default 4).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLAZOR_BUILD_DIR:-$root/build}"
out="$build/screenshot.png"
question=0
for arg in "$@"; do
  case "$arg" in
    --with-question) question=1 ;;
    *) out="$arg" ;;
  esac
done
wait_seconds="${PLAZOR_SCREENSHOT_WAIT:-4}"

program="$build/src/app/plazor"
if [ ! -x "$program" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target plazor
fi
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config" "$home/Desktop" "$home/runtime"
chmod 700 "$home/runtime"
if [ "$question" -eq 0 ]; then
  # The preference that the question's "不再提示" button writes.
  printf '[General]\ncheck_shortcut_status=0\n' >"$home/.config/PlazorTramu.ini"
fi

export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_STATE_HOME="$home/.local/state"
export XDG_RUNTIME_DIR="$home/runtime"
unset QT_QPA_PLATFORM
# The program and the capture run inside one virtual display; the program is stopped by its own id.
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$1" &
  pid=$!
  sleep "$2"
  import -window root "$3"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
' screenshot "$program" "$wait_seconds" "$out"
echo "$out"
