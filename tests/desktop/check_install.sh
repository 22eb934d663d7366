#!/usr/bin/env bash
# `cmake --install` into an empty prefix must give the three programs, their manual pages, the desktop
# entry, the metainfo and the icon at every fixed size, each PNG really of its size.
set -euo pipefail
build="$1"
shift
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for program in plazor plazor-batch z_tandro; do
  test -x "$prefix/bin/$program" || { echo "missing bin/$program" >&2; exit 1; }
  test -s "$prefix/share/man/man1/$program.1" || { echo "missing man page $program.1" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/plazor.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.plazor.plazor.metainfo.xml" >/dev/null
test -s "$prefix/share/icons/hicolor/scalable/apps/plazor.svg"
for size in "$@"; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/plazor.png"
  got="$(/usr/bin/identify -format '%wx%h' "$png")"
  [ "$got" = "${size}x${size}" ] || { echo "$png is $got, not ${size}x${size}" >&2; exit 1; }
done
