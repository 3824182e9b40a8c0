#!/usr/bin/env bash
# The real program on a virtual X display with a window manager and a notification area
# (trayer): minimising leaves only the tray icon, a double-click on the icon brings the window
# back with the Find window that was open, the tray menu's "About..." shows the About box
# (screenshot) and its "Exit" ends the program.
#
#     tray_session.sh LEAFSTACK_BINARY [ABOUT_SCREENSHOT.png]
#
# Exit code 77 (skipped) when Xvfb, xdotool, openbox or trayer is not installed.
set -uo pipefail

program="${1:?usage: tray_session.sh LEAFSTACK_BINARY [ABOUT_SCREENSHOT.png]}"
shot="${2:-$PWD/tray_about.png}"

. "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
require_tools Xvfb xdotool openbox trayer
start_display

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1
trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true \
    --transparent false --tint 0x808080 >"$work/trayer.log" 2>&1 &
pids+=($!)

# Ids of the visible windows named by the pattern $1, waiting up to 15 s for one.
visible() {
    for _ in $(seq 150); do
        local ids
        ids="$(xdotool search --onlyvisible --name "$1" 2>/dev/null)"
        if [[ -n "$ids" ]]; then
            echo "$ids"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to 10 s until no visible window is named by the pattern $1.
gone() {
    for _ in $(seq 100); do
        [[ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]] && return 0
        sleep 0.1
    done
    return 1
}

# Whether the frame window is on the screen; waits up to 10 s for it to be $1 ("shown" or
# "hidden").
frame_is() {
    for _ in $(seq 100); do
        if xdotool search --onlyvisible --classname leafstack 2>/dev/null | grep -qx "$frame"; then
            [[ "$1" == shown ]] && return 0
        else
            [[ "$1" == hidden ]] && return 0
        fi
        sleep 0.1
    done
    return 1
}

# The program's icon in the tray: its own small window, embedded in trayer's.
tray_icon() {
    for _ in $(seq 150); do
        local id
        for id in $(xdotool search --onlyvisible --classname leafstack 2>/dev/null); do
            local width height
            eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(WIDTH|HEIGHT)=')"
            width="$WIDTH" height="$HEIGHT"
            if ((width <= 48 && height <= 48)); then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# Opens the tray menu and picks the item $1 places down (negative: up from the end).
tray_menu() {
    xdotool mousemove --window "$icon" 8 8 click 3
    sleep 0.8
    if (($1 > 0)); then
        xdotool key --repeat "$1" --delay 100 Down
    else
        xdotool key --repeat "$((-$1))" --delay 100 Up
    fi
    xdotool key Return
}

# A file with text in it, so that there is something to find.
printf 'some text to find\n' >"$work/notes.txt"
start_program "$work/notes.txt"

frame="$(visible '^Leafstack - \[notes.txt\]$' | head -n1)" || fail "the frame did not come up"
icon="$(tray_icon)" || fail "no tray icon appeared in the notification area"
echo "ok: the frame and its tray icon are up"

# 1. Minimise with the Find window open (Ctrl+F): both leave the screen and the task bar; the
#    tray icon stays.
xdotool windowactivate --sync "$frame" key ctrl+f
find="$(visible '^Find$' | head -n1)" || fail "Ctrl+F showed no Find window"
xdotool windowminimize "$frame"
frame_is hidden || fail "the minimised frame is still on the screen"
gone '^Find$' || fail "the Find window stayed on the screen without its frame"
tray_icon >/dev/null || fail "the tray icon went with the frame"
echo "ok: minimised to the tray, the Find window with it"

# 2. A double-click on the icon brings the frame back.
xdotool mousemove --window "$icon" 8 8 click --repeat 2 --delay 120 1
frame_is shown || fail "a double-click on the tray icon did not restore the frame"
sleep 0.5
# The Workspace that was maximised is maximised still: the frame's caption names it.
name="$(xdotool getwindowname "$frame")"
[[ "$name" == "Leafstack - [notes.txt]" ]] || fail "after the restore the frame is called '$name'"
visible '^Find$' >/dev/null || fail "the Find window did not come back with the frame"
xdotool windowactivate --sync "$(visible '^Find$' | head -n1)" key Escape
gone '^Find$' || fail "Escape did not close the Find window"
echo "ok: restored by double-clicking the tray icon, the Workspace still maximised, Find back"

# 3. The tray menu's "About..." shows the About box, shot for the record.
tray_menu 2
about="$(visible '^About Leafstack$' | head -n1)" || fail "the tray menu's About... showed no About box"
sleep 0.8
import -window root "$shot" || fail "no screenshot"
eval "$(xdotool getwindowgeometry --shell "$about" | grep -E '^(WIDTH|HEIGHT)=')"
[[ "$WIDTH" == 299 && "$HEIGHT" == 347 ]] || fail "the About box is ${WIDTH}x${HEIGHT}, not 299x347"
# Its Close button stands at the foot, in the middle.
xdotool mousemove --window "$about" $((WIDTH / 2)) $((HEIGHT - 26)) click 1
gone '^About Leafstack$' || fail "Close did not close the About box"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended with the About box"
echo "ok: About box shown from the tray and closed ($shot)"

# 4. Minimised again, the tray menu's Exit ends the program.
xdotool windowminimize "$frame"
frame_is hidden || fail "the frame did not minimise a second time"
tray_menu 3
program_ends
echo "ok: the tray menu's Exit ended the program"
