#!/usr/bin/env bash
# Every picture a Markdown page shows, ![text](path), must exist beside it as a PNG of at most
# MAX_BYTES (default 102400), so that the guide never shows a broken picture nor bloats the tree.
# Usage: check_guide_pictures.sh PAGE.md [MAX_BYTES]
set -euo pipefail
page="$1"
max="${2:-102400}"
folder="$(dirname "$page")"
status=0
count=0
while IFS= read -r picture; do
  count=$((count + 1))
  file="$folder/$picture"
  if [ ! -f "$file" ]; then
    echo "$page refers to a missing picture: $picture" >&2
    status=1
  elif [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then
    echo "$page shows a picture that is not a PNG: $picture" >&2
    status=1
  elif [ "$(stat -c %s "$file")" -gt "$max" ]; then
    echo "$page shows a picture larger than $max bytes: $picture ($(stat -c %s "$file") bytes)" >&2
    status=1
  fi
done < <(grep -o '!\[[^]]*\]([^)]*)' "$page" | sed 's/^!\[[^]]*\](\([^)]*\))$/\1/')
echo "$page: $count pictures checked"
exit "$status"
