#!/usr/bin/env bash
# A manual page must format without a single groff warning and document --help and --version, and
# any further texts given after the page (a synopsis line, say).
set -euo pipefail
page="$1"
shift
warnings="$(groff -k -man -Tutf8 -ww -z "$page" 2>&1)"
if [ -n "$warnings" ]; then
  echo "$warnings" >&2
  exit 1
fi
text="$(groff -k -man -Tutf8 "$page" 2>/dev/null | sed 's/.\x08//g')"
for option in --help --version "$@"; do
  grep -qF -- "$option" <<<"$text" || { echo "$page does not document $option" >&2; exit 1; }
done
