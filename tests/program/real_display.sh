#!/bin/sh
# Runs the program on a real X server (Xvfb, the xcb platform) with an empty home folder: waits until the
# main window is mapped, saves a screenshot of the whole screen, opens the keyboard with Ctrl+K typed
# through the X server (a second screenshot), closes the main window as a window manager does
# (WM_DELETE_WINDOW), and checks that the program ended with status 0, wrote its settings with the keyboard
# open and printed no Qt warning about the display, focus or window types.
# Skips (status 77) where Xvfb, xdotool, xwd or ImageMagick is missing, unless ZELMOVI_REQUIRE_DISPLAY=1.
set -u
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
out=${TEST_OUTPUT_DIR:-$(pwd)/screenshots}

for tool in Xvfb xdotool xwd convert python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        if [ "${ZELMOVI_REQUIRE_DISPLAY:-0}" = 1 ]; then
            echo "$tool is not installed"
            exit 1
        fi
        echo "skipped: $tool is not installed"
        exit 77
    fi
done
if ! convert -version 2>/dev/null | grep -q '^Version: ImageMagick'; then
    [ "${ZELMOVI_REQUIRE_DISPLAY:-0}" = 1 ] && { echo "convert is not ImageMagick's"; exit 1; }
    echo "skipped: convert is not ImageMagick's"
    exit 77
fi

work=$(mktemp -d)
home=$work/home
mkdir -p "$home" "$out"
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the descriptor it is given.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
i=0
while [ ! -s "$work/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start:"
    cat "$work/xvfb.log"
    exit 1
fi
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

mkdir -m 700 "$work/runtime"
HOME=$home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=xcb "$exe" >"$work/program.log" 2>&1 &
program_pid=$!

# The intro runs two seconds before the main window shows.
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zelmovi 3\.0$' 2>/dev/null | head -n 1)
if [ -z "$window" ]; then
    echo "the main window was not mapped; the program printed:"
    cat "$work/program.log"
    exit 1
fi
# The intro stays above the main window for its two seconds; the screenshot shows what follows it.
# Without a MIDI system "No midi system installed" shows above the intro first: its OK is pressed
# with the Return key through the X server.
i=0
while [ "$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | wc -l)" -gt 1 ] && [ $i -lt 100 ]; do
    box=$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null | head -n 1)
    if [ -n "$box" ]; then
        xdotool windowfocus --sync "$box" key Return 2>/dev/null
    fi
    sleep 0.1
    i=$((i + 1))
done
sleep 0.5  # let it paint
rm -f "$out/real-display.png"
xwd -root -silent | convert xwd:- "$out/real-display.png"
if [ ! -s "$out/real-display.png" ]; then
    echo "the screenshot was not saved"
    exit 1
fi

# Ctrl+K through the X server's own input opens the on-screen keyboard inside the main window.
xdotool windowfocus --sync "$window" 2>/dev/null
sleep 0.2
xdotool key --clearmodifiers ctrl+k
sleep 0.5  # let it open and paint
rm -f "$out/real-display-keyboard.png"
xwd -root -silent | convert xwd:- "$out/real-display-keyboard.png"

python3 "$here/wm_delete.py" "$window" || exit 1
i=0
while kill -0 "$program_pid" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "the program did not end when its main window was closed; it printed:"
    cat "$work/program.log"
    exit 1
fi
wait "$program_pid"
status=$?
program_pid=
cat "$work/program.log"
failed=0
if [ $status -ne 0 ]; then
    echo "the program ended with status $status"
    failed=1
fi
settings=$(find "$home" -name Zelmo95.ini | head -n 1)
if ! grep -q '^Open=' "$settings" 2>/dev/null; then
    echo "the settings were not written"
    failed=1
elif ! sed -n '/^\[Keyboard\]/,/^\[/p' "$settings" | grep -q '^Open=1'; then
    echo "Ctrl+K did not open the keyboard: the settings say"
    cat "$settings"
    failed=1
fi
if grep -E -i 'qt\.qpa|xcb|focus|window type|display' "$work/program.log"; then
    echo "Qt warned about the display, focus or window types"
    failed=1
fi
exit $failed
