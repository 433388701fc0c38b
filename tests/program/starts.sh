#!/bin/sh
# Starts the program headless with an empty home folder and no MIDI system. It must have made the maker's
# folders and still be running its message loop once the intro has run the rest of the start-up; then it
# is stopped. (Closing it from outside needs a display: the run under a real X server does that.)
set -u
exe=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen ZELMOVI_MIDI_API=alsa "$exe" &
pid=$!
sleep 4
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "the program ended by itself with status $?"
    exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null
if [ ! -d "$home/Documents/Corvandile" ]; then
    echo "the maker's folders were not made"
    exit 1
fi
exit 0
