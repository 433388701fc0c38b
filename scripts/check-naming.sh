#!/usr/bin/env bash
# Fails when a source under src/ breaks the naming rule of .clang-tidy (clang-tidy's
# readability-identifier-naming check alone); prints each finding once.
# Usage: scripts/check-naming.sh [build folder with compile_commands.json]
# Without a folder, build-naming/ is configured (not built) with CMAKE_EXPORT_COMPILE_COMMANDS=ON.
# NAMING_JOBS sets how many files are checked at a time (default: all cores).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if ! command -v run-clang-tidy-14 >/dev/null || ! command -v clang-tidy-14 >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends clang-tidy-14
fi
build=${1:-$root/build-naming}
if [ ! -f "$build/compile_commands.json" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# The compile database also holds the tests and benchmarks; only the sources under src/ are checked, and
# of the headers only those under src/.
status=0
run-clang-tidy-14 -clang-tidy-binary "$(command -v clang-tidy-14)" -p "$build" -j "${NAMING_JOBS:-$(nproc)}" -quiet \
  -checks='-*,readability-identifier-naming' -extra-arg=-w -header-filter="^$root/src/" "^$root/src/" >"$log" 2>&1 || status=$?
# clang-tidy's colours are stripped before the findings are read.
sed -i 's/\x1b\[[0-9;]*m//g' "$log"
findings=$(grep -E 'warning: .*\[readability-identifier-naming\]' "$log" | sort -u || true)
if [ -n "$findings" ]; then
  printf '%s\n' "$findings" >&2
  echo "naming check: $(printf '%s\n' "$findings" | grep -c .) finding(s); see .clang-tidy" >&2
  exit 1
fi
# clang 14 does not take C++20 parenthesised aggregate initialisation (TRect(l, t, r, b)), which g++ builds;
# the declarations the naming rule looks at are still read, so those errors do not fail the check.
parse_errors=$(grep -cE 'error: .*\[clang-diagnostic-error\]' "$log" || true)
[ "$status" -eq 0 ] || echo "naming check: clang-tidy reported $parse_errors parse error(s), ignored" >&2
echo "naming check: no findings"
