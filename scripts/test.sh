#!/usr/bin/env bash
# Builds Zelmovi and runs every test. Extra CMake options come from ZELMOVI_CMAKE_ARGS, the build
# folder from ZELMOVI_BUILD_DIR (default: build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELMOVI_BUILD_DIR:-$root/build}
jobs=$(nproc)
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" -G Ninja ${ZELMOVI_CMAKE_ARGS:-}
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300 -LE jack
# The tests over a real JACK transport run one at a time.
ctest --test-dir "$build" --output-on-failure --timeout 300 -L jack
