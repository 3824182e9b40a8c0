#!/usr/bin/env bash
# Unsaved typing survives the program being killed: the real program edits a file and an
# untitled text, is killed with SIGKILL, starts again, and Return (the question's default)
# recovers both; saving then writes exactly what was typed. A second copy running at the same
# time never takes the first's texts.
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

# 2. A second copy running meanwhile leaves a live copy's texts alone: start one, edit, and
#    while it runs start another, which must not offer them.
start_program
first_pid=$app_pid
focus "Leafstack - [untitled.txt]"
sleep 0.5
# The first copy was asked about the killed run's two texts; Cancel keeps them for later.
for _ in $(seq 100); do
    id="$(xdotool search --onlyvisible --name '^Leafstack$' 2>/dev/null | head -n1)"
    [[ -n "$id" ]] && break
    sleep 0.1
done
[[ -n "${id:-}" ]] || fail "the start did not ask about the unsaved texts"
if command -v import >/dev/null 2>&1; then
    import -window root "$shot" && echo "ok: screenshot of the question in $shot"
fi
xdotool windowfocus --sync "$id"
sleep 0.3
xdotool key Escape
sleep 0.5
focus "Leafstack - [untitled.txt]"
xdotool type --delay 15 "the live copy's text"
journals_are 3 || fail "the live copy keeps no journal of its own"
"$program" >"$work/second.log" 2>&1 &
second_pid=$!
pids+=("$second_pid")
sleep 3
# The second copy asks about the two texts of the killed run, never about the live one.
second_question=""
for id in $(xdotool search --onlyvisible --name '^Leafstack$' 2>/dev/null); do
    second_question="$id"
done
[[ -n "$second_question" ]] || fail "the second copy did not ask about the killed run's texts"
xdotool windowfocus --sync "$second_question"
sleep 0.3
xdotool key Escape
sleep 0.5
kill "$second_pid" 2>/dev/null
wait "$second_pid" 2>/dev/null
[[ "$(journal_count)" == 3 ]] || fail "a journal went: $(journal_count) left"
kill -9 "$first_pid"
wait "$first_pid" 2>/dev/null
app_pid=""
echo "ok: a second copy left the live copy's text alone"

# 3. Start again: Return recovers everything (three texts now); the file's own is saved.
start_program
for _ in $(seq 100); do
    id="$(xdotool search --onlyvisible --name '^Leafstack$' 2>/dev/null | head -n1)"
    [[ -n "$id" ]] && break
    sleep 0.1
done
xdotool windowfocus --sync "$id"
sleep 0.3
xdotool key Return
focus "Leafstack - [draft.txt]"
xdotool key ctrl+s
file_holds draft.txt "saved line
$typed" || fail "the recovered file holds '$(cat draft.txt)'"
echo "ok: Return recovered the file's edits, and Ctrl+S saved them"
# The recovered texts are journaled by this run; the killed runs' journals are gone.
journals_are 2 || fail "after recovery and a save, $(journal_count) journals, not 2"
xdotool key ctrl+q
sleep 1
# Two untitled texts ask before the program ends: No to both drops them.
for _ in 1 2; do
    for _ in $(seq 50); do
        id="$(xdotool search --onlyvisible --name '^Leafstack$' 2>/dev/null | head -n1)"
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    xdotool windowfocus --sync "$id"
    sleep 0.3
    xdotool key n
    sleep 0.5
done
program_ends
journals_are 0 || fail "journals left after a normal end: $(journal_count)"
echo "ok: a normal end leaves no journal"
