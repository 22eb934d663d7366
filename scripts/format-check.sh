#!/usr/bin/env bash
# Checks that the tracked C++ files are formatted as .clang-format says; lists those that are not and
# exits non-zero. It checks every C++ file added or changed since the commit that brought in this
# check (files untouched since then are formatted when they are next changed, so that no one commit
# reformats the whole tree under everyone's work); `--all` checks every tracked C++ file.
# `clang-format -i FILE` fixes one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
base=065e58fe94452fcabf8233340044b7ff437a9d76
if [ "${1:-}" = --all ]; then
  files=$(git ls-files -- '*.cpp' '*.h')
else
  git cat-file -e "$base^{commit}" 2>/dev/null || {
    echo "format check: commit $base is not in this clone's history; fetch it, or use --all" >&2
    exit 1
  }
  # Added, changed and renamed files, committed or not.
  files=$( (git diff --name-only --diff-filter=ACMR "$base" -- '*.cpp' '*.h'; git ls-files --others --exclude-standard -- '*.cpp' '*.h') | sort -u)
fi
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
echo "clang-format: the checked C++ files are formatted"
