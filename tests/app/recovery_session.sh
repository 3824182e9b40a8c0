#!/usr/bin/env bash
# Unsaved typing survives the program being killed: the real program edits a file and an
# untitled text, is killed with SIGKILL, starts again, and Return (the question's default)
# recovers both; saving then writes exactly what was typed.
#
#     recovery_session.sh LEAFSTACK_BINARY [SCREENSHOT.png]
#
# Exit code 77 (skipped) when Xvfb or xdotool is not installed.
set -uo pipefail

program="${1:?usage: recovery_session.sh LEAFSTACK_BINARY [SCREENSHOT.png]}"
shot="${2:-$PWD/recovery_question.png}"

. "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
require_tools Xvfb xdotool
start_display
mkdir -p "$work/files"
cd "$work/files" || fail "no work folder"
journals="$XDG_STATE_HOME/Orvanel/Leafstack/recovery"

journal_count() {
    find "$journals" -name '*.journal' 2>/dev/null | wc -l
}

# The question box of the program with process id $1, waiting up to 20 s for it. Until its
# Workspace shows, the frame is captioned "Leafstack" too; it was made first, so its window id
# is the lower.
question_of() {
    local ids frames
    for _ in $(seq 200); do
        ids="$(xdotool search --all --onlyvisible --pid "$1" --name '^Leafstack$' 2>/dev/null | sort -n)"
        frames="$(xdotool search --all --onlyvisible --pid "$1" --name '^Leafstack - ' 2>/dev/null)"
        if [[ "$(echo "$ids" | grep -c .)" -ge 2 || (-n "$ids" && -n "$frames") ]]; then
            echo "$ids" | tail -n1
            return 0
        fi
        sleep 0.1
    done
    for id in $(xdotool search --onlyvisible --name 'Leafstack' 2>/dev/null); do
        echo "window $id [$(xdotool getwindowname "$id")] pid $(xdotool getwindowpid "$id" 2>&1)" >&2
    done
    echo "looked for pid $1" >&2
    return 1
}

# Answers the question of the program with process id $1 with the key $2, again while the
# box is still there (the first key may come before it takes the keyboard).
answer_question() {
    local id
    id="$(question_of "$1")" || fail "no question from the program"
    for _ in 1 2 3; do
        xdotool windowfocus --sync "$id" 2>/dev/null || return 0
        sleep 0.3
        xdotool key "$2"
        sleep 0.7
        xdotool getwindowname "$id" >/dev/null 2>&1 || return 0
        xdotool search --all --onlyvisible --pid "$1" --name '^Leafstack$' 2>/dev/null \
            | grep -qx "$id" || return 0
    done
}

# Waits up to 10 s for $1 journals.
journals_are() {
    for _ in $(seq 100); do
        [[ "$(journal_count)" == "$1" ]] && return 0
        sleep 0.1
    done
    return 1
}

# 1. Edit a file and a new untitled text, then the program is killed.
printf 'saved line\n' >draft.txt
start_program draft.txt
focus "Leafstack - [draft.txt]"
typed='typed, not saved: 1+1=2 & "quotes"'
xdotool key ctrl+End
xdotool type --delay 15 "$typed"
xdotool key ctrl+n
focus "Leafstack - [untitled.txt]"
xdotool type --delay 15 "a text that never had a name"
# Within two seconds of the last key the edits are on disk.
journals_are 2 || fail "no journals for the two edited texts: $(journal_count)"
sleep 2.5
kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=""
[[ "$(cat draft.txt)" == "saved line" ]] || fail "the file changed though it was not saved"
echo "ok: killed with two texts unsaved"

# 2. Start again: the question lists both texts, and Return (its default) recovers them.
start_program
question_of "$app_pid" >/dev/null || fail "the start did not ask about the unsaved texts"
if command -v import >/dev/null 2>&1; then
    import -window root "$shot" && echo "ok: screenshot of the question in $shot"
fi
answer_question "$app_pid" Return
focus "Leafstack - [draft.txt]"
xdotool key ctrl+s
file_holds draft.txt "saved line
$typed" || fail "the recovered file holds '$(cat draft.txt)'"
echo "ok: Return recovered the file's edits, and Ctrl+S saved them"
# The recovered untitled text is journaled by this run; the killed run's journals are gone.
journals_are 1 || fail "after recovery and a save, $(journal_count) journals, not 1"
xdotool key ctrl+q
sleep 1
# The recovered untitled text asks before the program ends: No drops it.
answer_question "$app_pid" n
program_ends
journals_are 0 || fail "journals left after a normal end: $(journal_count)"
echo "ok: a normal end leaves no journal"
