#!/usr/bin/env bash
# Checks that every tracked C++ file is formatted as .clang-format says; lists the files that are not
# and exits non-zero. `clang-format -i FILE` fixes one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z -- '*.cpp' '*.h')
if [ "${#unformatted[@]}" -ne 0 ]; then
  echo "Not formatted with clang-format (${#unformatted[@]} files):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "clang-format: every tracked C++ file is formatted"
