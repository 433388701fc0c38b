#!/usr/bin/env bash
# Sets up what the tests need, builds Zelmovi and runs every test: installs the missing packages, and runs
# the tests over a real MIDI transport against a private JACK server (the dummy driver: no sound card, no
# real-time scheduling) that it starts for them and stops afterwards. Extra CMake options come from
# ZELMOVI_CMAKE_ARGS, the build folder from ZELMOVI_BUILD_DIR (default: build). The summary at the end
# names every test that could not run and why.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELMOVI_BUILD_DIR:-$root/build}
jobs=$(nproc)
"$root/scripts/install-packages.sh"
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" -G Ninja ${ZELMOVI_CMAKE_ARGS:-}
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
status=0
# What each run printed and logged, for the summary of the tests that could not run.
runs=$(mktemp -d)
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300 -LE jack | tee "$runs/plain.out" ||
  status=1
cp "$build/Testing/Temporary/LastTest.log" "$runs/plain.log"

# The JACK server of this run only, under a name no other server has: the tests connect to nothing of
# the user's own JACK set-up. A server that does not start fails the run (the JACK tests would skip).
jack_name=zelmovi-test-$$
jack_log=$(mktemp)
JACK_NO_AUDIO_RESERVATION=1 jackd -n "$jack_name" -S -r -d dummy -r 48000 -p 256 >"$jack_log" 2>&1 &
jack_pid=$!
trap 'kill "$jack_pid" 2>/dev/null || true; wait "$jack_pid" 2>/dev/null || true; rm -rf "$jack_log" "$runs"' EXIT
for _ in $(seq 1 50); do
  if jack_lsp -s "$jack_name" >/dev/null 2>&1; then break; fi
  sleep 0.2
done
if ! jack_lsp -s "$jack_name" >/dev/null 2>&1; then
  echo "JACK server did not start:" >&2
  cat "$jack_log" >&2 || true
  exit 1
fi
echo "JACK dummy server $jack_name running"
# The tests over a real JACK transport run one at a time; a missing server is a failure, not a skip.
JACK_DEFAULT_SERVER=$jack_name ZELMOVI_REQUIRE_JACK=1 \
  ctest --test-dir "$build" --output-on-failure --timeout 300 -L jack | tee "$runs/jack.out" || status=1
cp "$build/Testing/Temporary/LastTest.log" "$runs/jack.log"

# The tests that could not run, each with the reason it printed ("skipped: ..."), and the tests that
# GoogleTest skipped inside a passing test program.
skipped=$(awk '
  FILENAME ~ /\.log$/ && / Testing: / { name = $3 }
  FILENAME ~ /\.log$/ && /^skipped: / { reason[name] = substr($0, 10) }
  FILENAME ~ /\.log$/ && /\[  SKIPPED \] [A-Za-z_]/ { print "  " $4 ": skipped by the test" }
  FILENAME ~ /\.out$/ && /\*\*\*(Skipped|Not Run)/ { notrun[$4] = 1 }
  END { for (n in notrun) print "  " n ": " (n in reason ? reason[n] : "did not run") }
' "$runs/plain.log" "$runs/jack.log" "$runs/plain.out" "$runs/jack.out" | sort -u)
if [ -n "$skipped" ]; then
  echo "Tests that could not run:"
  echo "$skipped"
else
  echo "Every test ran."
fi
exit $status
