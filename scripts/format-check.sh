#!/usr/bin/env bash
# Checks that every tracked C++ file (and any new one not yet committed) is formatted as
# .clang-format says; lists those that are not and exits non-zero. `clang-format -i FILE` fixes one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
files=$( (git ls-files -- '*.cpp' '*.h'; git ls-files --others --exclude-standard -- '*.cpp' '*.h') | sort -u)
unformatted=()
for file in $files; do
  [ -f "$file" ] || continue
  clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ "${#unformatted[@]}" -ne 0 ]; then
  echo "Not formatted with clang-format (${#unformatted[@]} files; clang-format -i FILE fixes one):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "clang-format: every C++ file is formatted"
