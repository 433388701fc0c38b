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
  -checks='-*,readability-identifier-naming' -header-filter="^$root/src/" "^$root/src/" >"$log" 2>&1 || status=$?
findings=$(grep -E '(warning|error): .*\[readability-identifier-naming\]' "$log" | sort -u || true)
errors=$(grep -E ': error: ' "$log" | grep -v 'readability-identifier-naming' | sort -u || true)
if [ -n "$findings" ] || [ -n "$errors" ]; then
  [ -z "$findings" ] || printf '%s\n' "$findings" >&2
  [ -z "$errors" ] || printf '%s\n' "$errors" >&2
  echo "naming check: $(printf '%s' "$findings" | grep -c . || true) finding(s); see .clang-tidy" >&2
  exit 1
fi
if [ "$status" -ne 0 ]; then
  cat "$log" >&2
  echo "naming check: clang-tidy failed" >&2
  exit 1
fi
echo "naming check: no findings"
