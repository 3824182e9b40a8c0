# Shared by the scripts that drive the real program on a virtual X display. Source it after
# setting "program"; it gives: require_tools, fail, start_display, window_named, focus,
# file_holds, the "work" folder and the "pids" list (each killed at exit), and "app_pid" for
# the program (also killed at exit).

# Exits with 77 (skipped) unless every tool named is installed.
require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed (scripts/packages.txt lists it); the session was not run"
            exit 77
        fi
    done
}

work="$(mktemp -d)"
pids=()
app_pid=""
cleanup() {
    [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [[ -s "$work/app.log" ]] && tail -n 40 "$work/app.log"
    exit 1
}

# A free display of our own, private XDG folders, and Qt on X rather than offscreen.
start_display() {
    # Xvfb writes the display's number once it accepts connections; the line's end completes it.
    # -noreset: otherwise the server resets when its last client goes (a killed program), and a
    # program started during that reset cannot connect.
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    local ready=""
    for _ in $(seq 100); do
        [[ "$(wc -l <"$work/display")" -ge 1 ]] && ready=1 && break
        sleep 0.1
    done
    [[ -n "$ready" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n1 "$work/display")"
    unset QT_QPA_PLATFORM
    # Under AddressSanitizer: libxkbcommon-x11 hands strndup() atom names that are not
    # NUL-terminated, which strict string checks report although strndup reads no further than
    # its bound. The rule is relaxed for that system library's sake only.
    if [[ -n "${ASAN_OPTIONS:-}" ]]; then
        export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
    fi
    export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/share"
    export XDG_STATE_HOME="$work/state"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# The id of the one window whose caption is exactly $1, waiting up to 15 s for it.
window_named() {
    local pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$]/\\&/g')\$"
    for _ in $(seq 150); do
        local id
        id="$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1)"
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Gives the keyboard to the window captioned $1 (there is no window manager to do it).
focus() {
    local id
    id="$(window_named "$1")" || fail "no window captioned '$1'"
    xdotool windowfocus --sync "$id"
    sleep 0.3
}

# Whether the file $1 holds exactly the text $2, waiting up to 5 s for it.
file_holds() {
    local path="$1" expected="$2"
    for _ in $(seq 50); do
        if [[ -f "$path" ]] && [[ "$(cat "$path"; printf x)" == "${expected}x" ]]; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}


# Starts the program with the arguments given, its output in app.log.
start_program() {
    "$program" "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
}

# Waits up to 10 s for the program to end, and fails unless it ended with status 0.
program_ends() {
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after it was told to end"
    wait "$app_pid"
    local status=$?
    app_pid=""
    [[ "$status" == 0 ]] || fail "the program ended with status $status"
}
