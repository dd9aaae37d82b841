#!/usr/bin/env bash
# Checks that C++ sources are formatted as .clang-format says, and lists the
# files that are not. Usage: check-format.sh [BASE]: with a git revision,
# only the files changed since it; without, every tracked C++ file (which
# covers any change, and is what continuous integration runs).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
  mapfile -t files < <(git diff --name-only --diff-filter=d "$1" -- '*.cpp' '*.h')
else
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi
[ ${#files[@]} -eq 0 ] && { echo "format: no C++ files to check"; exit 0; }
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "format: these files differ from .clang-format (run clang-format -i on them):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "format: ${#files[@]} files checked, all formatted"
