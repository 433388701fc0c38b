#!/usr/bin/env bash
# Sets Zelmovi up on a fresh Debian 12 machine and starts it: installs the packages, builds, runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELMOVI_TESTS=OFF -DZELMOVI_BENCH=OFF
cmake --build "$root/build-release" --target zelmovi
exec "$root/build-release/src/zelmovi"
