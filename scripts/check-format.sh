#!/usr/bin/env bash
# Fails when a C++ file of the tree does not match .clang-format; prints the files that differ.
# With --fix, formats them in place instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
formatter=$(command -v clang-format-14 || command -v clang-format)
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
if [ "${1:-}" = "--fix" ]; then
  "$formatter" -i "${files[@]}"
  exit 0
fi
bad=0
for f in "${files[@]}"; do
  if ! "$formatter" --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f (run scripts/check-format.sh --fix)" >&2
    bad=1
  fi
done
exit $bad
