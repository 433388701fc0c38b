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
# Files in batches, as many batches at a time as there are cores; the formatter names every file that
# differs in its warnings.
mapfile -t bad < <(printf '%s\0' "${files[@]}" | xargs -0 -n 40 -P "$(nproc)" "$formatter" --dry-run 2>&1 |
  sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
for f in "${bad[@]}"; do echo "not formatted: $f (run scripts/check-format.sh --fix)" >&2; done
[ "${#bad[@]}" -eq 0 ]
