#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Zelmovi need.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
# jackd2 asks whether to enable real-time scheduling; answer "no" so the install never stops to ask.
echo "jackd2 jackd/tweak_rt_limits boolean false" | "${sudo_cmd[@]}" debconf-set-selections
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
mapfile -t packages < <(grep -v '^\s*#' "$here/packages.txt" | grep -v '^\s*$')
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${packages[@]}"
