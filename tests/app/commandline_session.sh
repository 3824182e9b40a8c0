#!/usr/bin/env bash
# The real program started with file names as a user types them: a name like one of the
# toolkit's options, FILE:LINE and +LINE FILE, two names not there yet, a name after "--", and
# a folder that cannot be read as a file. Each run types into the Workspace, saves with Ctrl+S
# and ends with Ctrl+Q.
#
#     commandline_session.sh LEAFSTACK_BINARY [SCREENSHOT.png]
#
# Exit code 77 (skipped) when Xvfb or xdotool is not installed.
set -uo pipefail

program="${1:?usage: commandline_session.sh LEAFSTACK_BINARY [SCREENSHOT.png]}"
shot="${2:-$PWD/commandline_error.png}"

. "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
require_tools Xvfb xdotool
start_display
mkdir -p "$work/files"
cd "$work/files" || fail "no work folder"

# Types $2 into the Workspace captioned $1 and saves it with Ctrl+S.
type_and_save() {
    focus "Leafstack - [$1]"
    xdotool type --delay 15 "$2"
    xdotool key ctrl+s
}

# 1. A file called like one of the toolkit's options is opened, not obeyed; it is new, so
#    Ctrl+S creates it without asking for a name.
start_program -reverse
type_and_save "-reverse" "not mirrored"
file_holds "$work/files/-reverse" "not mirrored" || fail "Ctrl+S did not create the file -reverse"
xdotool key ctrl+q
program_ends
echo "ok: -reverse named a new file, saved by Ctrl+S"

# 2. The caret on the line asked for.
printf 'one\ntwo\nthree\n' >notes.txt
start_program notes.txt:2
type_and_save "notes.txt" "X"
file_holds notes.txt $'one\nXtwo\nthree\n' || fail "notes.txt:2 did not start on line 2: $(cat notes.txt)"
xdotool key ctrl+q
program_ends
start_program +3 notes.txt
type_and_save "notes.txt" "Y"
file_holds notes.txt $'one\nXtwo\nYthree\n' || fail "+3 notes.txt did not start on line 3: $(cat notes.txt)"
xdotool key ctrl+q
program_ends
echo "ok: FILE:LINE and +LINE FILE put the caret on the line"

# 3. Two names, neither there yet: a Workspace each, each saved under its own name.
start_program new.txt "with blank.txt"
type_and_save "with blank.txt" "second"
file_holds "with blank.txt" "second" || fail "the second name was not saved"
xdotool key ctrl+w
type_and_save "new.txt" "first"
file_holds new.txt "first" || fail "the first name was not saved"
xdotool key ctrl+q
program_ends
echo "ok: each name in its own Workspace"

# 4. After "--" even --help is a file name.
start_program -- --help
window_named "Leafstack - [--help]" >/dev/null || fail "-- --help did not open a Workspace for the file --help"
focus "Leafstack - [--help]"
xdotool key ctrl+q
program_ends
[[ ! -e "--help" ]] || fail "an unchanged Workspace wrote its file"
echo "ok: -- ends the options"

# 5. A folder: the message stands over the frame; afterwards the untitled Workspace is there.
mkdir folder
start_program folder
frame="$(window_named "Leafstack - [untitled.txt]")" || fail "the frame did not come up"
box=""
for _ in $(seq 150); do
    box="$(xdotool search --onlyvisible --name '^Leafstack$' 2>/dev/null | head -n1)"
    [[ -n "$box" ]] && break
    sleep 0.1
done
[[ -n "$box" ]] || fail "no message about the folder"
# Its centre in the middle half of the frame (the screen's centre is far from the frame's).
centre() {
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2)) $WIDTH $HEIGHT"
}
read -r fx fy fw fh <<<"$(centre "$frame")"
read -r bx by _ _ <<<"$(centre "$box")"
dx=$((fx > bx ? fx - bx : bx - fx))
dy=$((fy > by ? fy - by : by - fy))
((dx < fw / 4 && dy < fh / 4)) \
    || fail "the message is not over the frame (frame centre $fx,$fy, message centre $bx,$by)"
command -v import >/dev/null 2>&1 && import -window root "$shot"
xdotool windowfocus --sync "$box"
sleep 0.3
xdotool key Return
for _ in $(seq 50); do
    [[ -z "$(xdotool search --onlyvisible --name '^Leafstack$' 2>/dev/null)" ]] && break
    sleep 0.1
done
window_named "Leafstack - [untitled.txt]" >/dev/null || fail "no untitled Workspace after the message"
focus "Leafstack - [untitled.txt]"
xdotool key ctrl+q
program_ends
echo "ok: the unreadable name was reported over the frame, which kept its untitled Workspace"
