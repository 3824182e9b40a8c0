#!/usr/bin/env bash
# The real program used with the keyboard alone: Preferences reached from the Options menu, a
# favourite file added with Tab, Space and the file dialog, kept with Alt+C and dropped with
# Escape; the About box closed with Return; a Workspace tool bar button taken off in the
# customisation window with Delete. What was kept is checked in the settings file.
#
#     keyboard_session.sh LEAFSTACK_BINARY [SCREENSHOT.png]
#
# Exit code 77 (skipped) when Xvfb or xdotool is not installed.
set -uo pipefail

program="${1:?usage: keyboard_session.sh LEAFSTACK_BINARY [SCREENSHOT.png]}"
shot="${2:-$PWD/keyboard_preferences.png}"

. "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
require_tools Xvfb xdotool
start_display
mkdir -p "$work/files"
cd "$work/files" || fail "no work folder"
settings="$XDG_CONFIG_HOME/Orvanel/Leafstack.reg"
printf 'kept\n' >"kept favourite.txt"
printf 'dropped\n' >"dropped favourite.txt"

# Waits up to 10 s until no visible window is captioned exactly $1.
gone() {
    for _ in $(seq 100); do
        window_named_now "$1" || return 0
        sleep 0.1
    done
    return 1
}
window_named_now() {
    local pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$]/\\&/g')\$"
    [[ -n "$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null)" ]]
}

# Options > Preferences... (the menu's last item), its Favorite Files page, Browse by Tab and
# Space, the file $1 chosen in the file dialog; then the key $2 ends the dialog.
add_favourite() {
    focus "Leafstack - [untitled.txt]"
    xdotool key alt+o
    sleep 0.5
    xdotool key Up Return
    focus "Preferences..."
    # The page tabs have the focus: the third page, then Tab to its list and to Browse.
    xdotool key Right Right
    sleep 0.3
    xdotool key Tab Tab space
    focus "Open"
    xdotool type --delay 10 "$work/files/$1"
    xdotool key Return
    gone "Open" || fail "the file dialog did not close"
    # Without a window manager the keyboard goes back to the dialog by hand.
    focus "Preferences..."
    [[ -n "${3:-}" ]] && command -v import >/dev/null 2>&1 && import -window root "$shot"
    xdotool key "$2"
    gone "Preferences..." || fail "$2 did not end the Preferences dialog"
}

# 1. Alt+C keeps the new favourite; Escape drops the next one.
start_program
window_named "Leafstack - [untitled.txt]" >/dev/null || fail "the frame did not come up"
add_favourite "kept favourite.txt" alt+c shot
add_favourite "dropped favourite.txt" Escape
echo "ok: Preferences by keyboard: Alt+C kept a favourite, Escape dropped one"

# 2. Help > About Leafstack... (the menu's last item), closed with Return.
focus "Leafstack - [untitled.txt]"
xdotool key alt+h
sleep 0.5
xdotool key Up Return
window_named "About Leafstack" >/dev/null || fail "no About box"
focus "About Leafstack"
xdotool key Return
gone "About Leafstack" || fail "Return did not close the About box"
echo "ok: the About box closed with Return"

# 3. File > Customize Tool Bar... (second from the end): the Edit Menu section, its first
#    button (Cut) taken off with Delete; Escape closes the window.
focus "Leafstack - [untitled.txt]"
xdotool key alt+f
sleep 0.5
xdotool key Up Up Return
focus "Customize Speedbar"
xdotool key Down Tab Delete
sleep 0.3
xdotool key Escape
gone "Customize Speedbar" || fail "Escape did not close the customisation window"
echo "ok: a tool bar button taken off with Delete"

focus "Leafstack - [untitled.txt]"
xdotool key ctrl+q
program_ends

grep -q "kept favourite.txt" "$settings" || fail "the favourite kept with Alt+C is not in the settings"
grep -q "dropped favourite.txt" "$settings" && fail "the favourite dropped with Escape was kept"
section="$(sed -n '/^\[.*TfrmEditbarTool\]/,/^\[/p' "$settings")"
[[ -n "$section" ]] || fail "no Workspace tool bar layout was saved"
grep -q '"btnCopy' <<<"$section" || fail "the Workspace tool bar lost more than Cut"
grep -q '"btnCut' <<<"$section" && fail "Delete did not take Cut off the Workspace tool bar"
echo "ok: the settings hold what the keyboard kept"
