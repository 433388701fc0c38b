#!/bin/bash
# Runs the program on a real X server (Xvfb, the xcb platform) with an empty home folder, once with no window
# manager, once under openbox and once under metacity. Each run waits until the main window is mapped, opens the
# File menu by a click and by Alt+F, opens the sub-menu of the toolbar's options, makes a library with File > New,
# adds a patch with the library's New bar, opens the patch window by a double click on its row and its common
# editor by a double click on Common, drops down a list of that editor, opens the keyboard with Ctrl+K and closes
# the main window as the window manager's close button does (WM_DELETE_WINDOW). A menu or list counts as open
# when a new window of the program shows on the screenshot painted (more than two colours, unlike what was there
# before); a window inside the main window counts when the main window's picture changes. The program must end
# with status 0, write its settings with the keyboard open and print no Qt warning about the display, focus or
# window types. The screenshots of every step stay in the output folder, named by window manager and step.
# A window manager that is not installed is left out; Xvfb, xdotool, xwd, xwininfo, xprop or ImageMagick missing skips
# the test (status 77); with ZELMOVI_REQUIRE_DISPLAY=1 either fails it.
set -u
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
out=${TEST_OUTPUT_DIR:-$(pwd)/screenshots}
required=${ZELMOVI_REQUIRE_DISPLAY:-0}

missing() {
    if [ "$required" = 1 ]; then
        echo "$1"
        exit 1
    fi
    echo "skipped: $1"
    exit 77
}
for tool in Xvfb xdotool xwd xwininfo xprop convert compare python3; do
    command -v "$tool" >/dev/null 2>&1 || missing "$tool is not installed"
done
convert -version 2>/dev/null | grep -q '^Version: ImageMagick' || missing "convert is not ImageMagick's"

mkdir -p "$out"
rm -f "$out"/real-display*.png
work=$(mktemp -d)
xvfb_pid=
wm_pid=
program_pid=
stop_display() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
    program_pid= wm_pid= xvfb_pid=
}
trap 'stop_display; rm -rf "$work"' EXIT

# ---- Looking at the screen ----------------------------------------------------------------------------------

shot() { xwd -root -silent | convert xwd:- "$1"; }

# The program's windows on the screen, one id a line.
shown_windows() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | sort; }

# "x y width height" of a window on the screen.
geometry_of() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print x, y, w, h}'
}

# Whether a rectangle of the screenshot after a step is painted and shows something other than before it.
painted() {  # before after x y width height
    local crop="$5x$6+$3+$4" colours changed
    convert "$1" -crop "$crop" +repage "$work/crop-before.png"
    convert "$2" -crop "$crop" +repage "$work/crop-after.png"
    colours=$(convert "$work/crop-after.png" -format %k info:)
    changed=$(compare -metric AE "$work/crop-before.png" "$work/crop-after.png" null: 2>&1 | cut -d' ' -f1)
    [ "${colours:-0}" -gt 2 ] && [ "${changed%.*}" -gt 0 ] 2>/dev/null
}

fail() {
    echo "$wm: $1"
    failed=1
}

# Runs a step that opens a window of its own (a menu, a list): after it, a window of the program that was not
# there must show on the screenshot, painted. Its geometry is left in $opened.
opens_window() {  # step-name command...
    local name=$1 before_list after_list new best=0
    shift
    before_list=$(shown_windows)
    shot "$work/before.png"
    "$@"
    sleep 0.8
    after_list=$(shown_windows)
    shot "$out/real-display-$wm-$name.png"
    opened=
    for new in $(comm -13 <(echo "$before_list") <(echo "$after_list")); do
        set -- $(geometry_of "$new")
        [ $# -eq 4 ] || continue
        if [ $(($3 * $4)) -gt "$best" ]; then
            best=$(($3 * $4))
            opened="$1 $2 $3 $4"
        fi
    done
    if [ -z "$opened" ]; then
        fail "$name: no window was shown"
        return 1
    fi
    if ! painted "$work/before.png" "$out/real-display-$wm-$name.png" $opened; then
        fail "$name: the window at $opened is not on the screenshot"
        return 1
    fi
}

# Runs a step that changes what the main window shows (a window inside it): its picture must change.
changes_main() {  # step-name command...
    local name=$1
    shift
    shot "$work/before.png"
    "$@"
    sleep 1
    shot "$out/real-display-$wm-$name.png"
    painted "$work/before.png" "$out/real-display-$wm-$name.png" $main_geometry || fail "$name: nothing changed"
}

# A click or a double click at a point of the main window.
click_at() { xdotool mousemove $((main_x + $1)) $((main_y + $2)) click "${3:-1}"; }
double_click_at() { xdotool mousemove $((main_x + $1)) $((main_y + $2)) click --repeat 2 --delay 80 1; }
# A click at a point of the window opened last, from its top-left corner.
click_in_opened() {
    set -- $opened "$1" "$2"
    xdotool mousemove $(($1 + $5)) $(($2 + $6)) click 1
}
keys() { xdotool key --clearmodifiers "$@"; }

# ---- One run ------------------------------------------------------------------------------------------------

run() {
    wm=$1
    local home=$work/$wm/home display status settings
    mkdir -p "$home" "$work/$wm/runtime"
    chmod 700 "$work/$wm/runtime"
    # Xvfb picks a free display number and writes it to the descriptor it is given.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/$wm/display" 2>"$work/$wm/xvfb.log" &
    xvfb_pid=$!
    local i=0
    while [ ! -s "$work/$wm/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    if [ ! -s "$work/$wm/display" ]; then
        fail "Xvfb did not start: $(cat "$work/$wm/xvfb.log")"
        stop_display
        return
    fi
    DISPLAY=:$(head -n 1 "$work/$wm/display")
    export DISPLAY
    if [ "$wm" != none ]; then
        case $wm in
            openbox) HOME=$home openbox --sm-disable >"$work/$wm/wm.log" 2>&1 & ;;
            metacity) HOME=$home metacity >"$work/$wm/wm.log" 2>&1 & ;;
        esac
        wm_pid=$!
        # The window manager is up when it names itself on the root window.
        i=0
        while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && [ $i -lt 100 ]; do
            sleep 0.1
            i=$((i + 1))
        done
    fi

    HOME=$home XDG_RUNTIME_DIR=$work/$wm/runtime XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=xcb \
        "$exe" >"$work/$wm/program.log" 2>&1 &
    program_pid=$!
    # The intro runs two seconds before the main window shows.
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zelmovi 3\.0$' 2>/dev/null | head -n 1)
    if [ -z "$window" ]; then
        fail "the main window was not mapped; the program printed: $(cat "$work/$wm/program.log")"
        stop_display
        return
    fi
    # The intro stays above the main window for its two seconds. Without a MIDI system "No midi system
    # installed" shows first: its OK is pressed with the Return key through the X server.
    i=0
    while [ "$(shown_windows | wc -l)" -gt 1 ] && [ $i -lt 100 ]; do
        box=$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null | head -n 1)
        [ -n "$box" ] && xdotool windowfocus --sync "$box" key Return 2>/dev/null
        sleep 0.1
        i=$((i + 1))
    done
    sleep 0.5  # let it paint
    shot "$out/real-display-$wm.png"
    main_geometry=$(geometry_of "$window")
    set -- $main_geometry
    main_x=$1 main_y=$2

    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 0.2
    opens_window file-menu-click click_at 30 34
    keys Escape Escape
    sleep 0.3
    opens_window file-menu-alt-f keys alt+f
    keys Escape Escape
    sleep 0.3
    # The toolbar's options button opens a menu whose one entry opens a sub-menu.
    if opens_window toolbar-options click_at 239 62; then
        local options=$opened
        opens_window sub-menu click_in_opened 60 $(($(echo "$options" | cut -d' ' -f4) / 2))
    fi
    keys Escape Escape Escape
    sleep 0.3
    # File > New: the library window.
    if opens_window file-menu-for-new click_at 30 34; then
        changes_main library keys n
    fi
    changes_main new-patch click_at 60 121
    changes_main patch-window double_click_at 85 172
    changes_main common-editor double_click_at 50 120
    changes_main common-editor-page-2 click_at 102 112
    opens_window drop-down click_at 219 443
    keys Escape
    sleep 0.3
    # Ctrl+K through the X server's own input opens the on-screen keyboard inside the main window.
    xdotool windowfocus --sync "$window" 2>/dev/null
    changes_main keyboard keys ctrl+k

    python3 "$here/wm_delete.py" "$window" || fail "the close request was not sent"
    # The new library was not saved: the question that asks whether to save it is answered No.
    i=0
    while kill -0 "$program_pid" 2>/dev/null && [ $i -lt 150 ]; do
        box=$(shown_windows | grep -v -x "$window" | head -n 1)
        if [ -n "$box" ]; then
            sleep 0.3
            [ -f "$out/real-display-$wm-close-question.png" ] || shot "$out/real-display-$wm-close-question.png"
            xdotool windowfocus --sync "$box" key alt+n 2>/dev/null
        fi
        sleep 0.1
        i=$((i + 1))
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        fail "the program did not end when its main window was closed"
        cat "$work/$wm/program.log"
        stop_display
        return
    fi
    wait "$program_pid"
    status=$?
    program_pid=
    cat "$work/$wm/program.log"
    [ $status -eq 0 ] || fail "the program ended with status $status"
    settings=$(find "$home" -name Zelmo95.ini | head -n 1)
    if ! grep -q '^Open=' "$settings" 2>/dev/null; then
        fail "the settings were not written"
    elif ! sed -n '/^\[Keyboard\]/,/^\[/p' "$settings" | grep -q '^Open=1'; then
        fail "Ctrl+K did not open the keyboard: the settings say $(cat "$settings")"
    fi
    if grep -E -i 'qt\.qpa|xcb|focus|window type|display' "$work/$wm/program.log"; then
        fail "Qt warned about the display, focus or window types"
    fi
    stop_display
}

failed=0
for wm in none openbox metacity; do
    if [ "$wm" != none ] && ! command -v "$wm" >/dev/null 2>&1; then
        [ "$required" = 1 ] && fail "$wm is not installed" || echo "left out: $wm is not installed"
        continue
    fi
    run "$wm"
done
exit $failed
