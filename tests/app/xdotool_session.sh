#!/usr/bin/env bash
# Drives the real program on a virtual X display the way a person would: types into the first
# Workspace, saves it with Ctrl+S through Save As, checks the file holds exactly what was
# typed, closes a changed Workspace and answers the question, tiles two Workspaces for a
# screenshot, and ends the program through File > Exit.
#
#     xdotool_session.sh LEAFSTACK_BINARY [SCREENSHOT.png]
#
# Exit code 77 (skipped) when Xvfb or xdotool is not installed.
set -uo pipefail

program="${1:?usage: xdotool_session.sh LEAFSTACK_BINARY [SCREENSHOT.png]}"
shot="${2:-$PWD/xdotool_tiled.png}"

. "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
require_tools Xvfb xdotool
start_display
mkdir -p "$work/files"

# Answers the program's question box (captioned "Leafstack", like the frame when no Workspace
# is maximised) with the key $1.
answer() {
    for _ in $(seq 150); do
        local id
        for id in $(xdotool search --onlyvisible --name '^Leafstack$' 2>/dev/null); do
            if [[ "$id" != "$frame" ]]; then
                xdotool windowfocus --sync "$id"
                sleep 0.3
                xdotool key "$1"
                sleep 0.3
                return 0
            fi
        done
        sleep 0.1
    done
    fail "no question box appeared"
}

cd "$work/files" || fail "no work folder"
start_program

# 1. Type into the untitled Workspace and save it with Ctrl+S, which asks for a name.
frame="$(window_named "Leafstack - [untitled.txt]")" || fail "the frame did not come up"
focus "Leafstack - [untitled.txt]"
typed='Hello from xdotool: 1+1=2, {braces} & "quotes"'
xdotool type --delay 15 "$typed"
xdotool key ctrl+s
focus "Save As"
saved="$work/files/typed note.txt"
xdotool key ctrl+a
xdotool type --delay 10 "$saved"
xdotool key Return
file_holds "$saved" "$typed" || fail "the saved file does not hold the typed text: '$(cat "$saved" 2>/dev/null)'"
window_named "Leafstack - [typed note.txt]" >/dev/null || fail "the frame's caption does not name the saved file"
echo "ok: Ctrl+S saved exactly the typed text"

# 2. Change it again and close it: the question comes; Yes saves, then the Workspace closes.
focus "Leafstack - [typed note.txt]"
xdotool type --delay 15 " more"
xdotool key alt+f
sleep 0.8
xdotool key c
answer y
file_holds "$saved" "$typed more" || fail "Yes to the question did not save the change"
for _ in $(seq 50); do
    [[ "$(xdotool search --onlyvisible --name '^Leafstack - ' 2>/dev/null | wc -l)" == 0 ]] && break
    sleep 0.1
done
[[ "$(xdotool search --onlyvisible --name '^Leafstack - ' 2>/dev/null | wc -l)" == 0 ]] \
    || fail "the Workspace did not close after its changes were saved"
echo "ok: closing a changed Workspace asked, saved and closed it"

# 3. Two new Workspaces, tiled, for the screenshot.
focus "Leafstack"
xdotool key ctrl+n
focus "Leafstack - [untitled.txt]"
xdotool type --delay 10 "First Workspace"
xdotool key ctrl+n
sleep 0.5
xdotool type --delay 10 "Second Workspace, not to be saved"
xdotool key alt+w
sleep 0.8
xdotool key t
sleep 1
if command -v import >/dev/null 2>&1; then
    import -window root "$shot" && echo "ok: screenshot of the tiled Workspaces in $shot"
fi

# 4. File > Exit: both Workspaces ask; No drops their text and the program ends.
xdotool key alt+f
sleep 0.8
xdotool key x
answer n
answer n
program_ends
[[ "$(ls "$work/files")" == "typed note.txt" ]] || fail "unexpected files: $(ls "$work/files")"
echo "ok: Exit asked each changed Workspace and ended the program"
