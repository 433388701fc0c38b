#!/bin/sh
# The program's JACK ports on a real JACK server (JACK_DEFAULT_SERVER): the first instance's are
# "Zelmovi:MIDI In" and "Zelmovi:MIDI Out", a second instance's carry the client name JACK numbers for it,
# and once both were killed the next start has the plain names again: a killed instance leaves nothing
# behind that the next one must work around.
# Skips (status 77) without a JACK server, unless ZELMOVI_REQUIRE_JACK=1.
set -u
exe=$1
if ! jack_lsp >/dev/null 2>&1; then
    if [ "${ZELMOVI_REQUIRE_JACK:-0}" = 1 ]; then
        echo "no JACK server"
        exit 1
    fi
    echo "skipped: no JACK server"
    exit 77
fi
work=$(mktemp -d)
pids=""
cleanup() {
    for p in $pids; do kill -9 "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

start() {
    mkdir -p "$work/$1"
    HOME=$work/$1 XDG_CONFIG_HOME=$work/$1/.config QT_QPA_PLATFORM=offscreen ZELMOVI_MIDI_API=jack \
        ASAN_OPTIONS=detect_leaks=0 "$exe" >"$work/$1.log" 2>&1 &
    pids="$pids $!"
    last=$!
}

# Waits (at most 60 s, the time a server in synchronous mode may take to drop killed clients) until the
# port list holds the port given.
wait_for_port() {
    for _ in $(seq 1 300); do
        jack_lsp 2>/dev/null | grep -qx "$1" && return 0
        sleep 0.2
    done
    echo "no port $1; the ports:"
    jack_lsp
    exit 1
}

start first
first=$last
wait_for_port "Zelmovi:MIDI In"
wait_for_port "Zelmovi:MIDI Out"
start second
second=$last
wait_for_port "Zelmovi-01:MIDI In"
wait_for_port "Zelmovi-01:MIDI Out"

kill -9 "$first" "$second"
start third
wait_for_port "Zelmovi:MIDI In"
wait_for_port "Zelmovi:MIDI Out"
if jack_lsp | grep -q "^Zelmovi-"; then
    echo "a numbered client is left:"
    jack_lsp
    exit 1
fi
exit 0
