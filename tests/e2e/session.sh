# SPDX-License-Identifier: MIT
# Sourced by the end-to-end scripts: a virtual display with a window
# manager, and a throwaway home, settings folder and working directory, so
# that nothing reaches the user's own files. The settings store's names
# come from the build, as the program has them.
: "${ORVANTA_SETTINGS_ORGANISATION:?ORVANTA_SETTINGS_ORGANISATION is not set}"
: "${ORVANTA_SETTINGS_APPLICATION:?ORVANTA_SETTINGS_APPLICATION is not set}"

# Runs the calling script again under Xvfb once its tools are there; under
# it, returns, and the script's first argument is --inside.
# Usage: under_xvfb NAME "TOOL..." "$@"
under_xvfb() {
    local name=$1 tools=$2 tool
    shift 2
    [ "${1:-}" = "--inside" ] && return
    for tool in xvfb-run openbox $tools; do
        command -v "$tool" >/dev/null || { echo "$name: $tool is missing" >&2; exit 1; }
    done
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"
}

# Sets $scratch, with a copy of the dictionary in $scratch/work, and
# $settings, the file the program's settings go to; both go at exit, with
# every job the script started. Then starts the window manager.
# Usage: start_session DATABASE
start_session() {
    scratch=$(mktemp -d)
    trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
    settings="$scratch/config/$ORVANTA_SETTINGS_ORGANISATION/$ORVANTA_SETTINGS_APPLICATION.conf"
    mkdir -p "$scratch/home" "$(dirname "$settings")" "$scratch/work"
    cp "$1" "$scratch/work/en-si.db"
    export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config"
    unset QT_QPA_PLATFORM LANGUAGE
    openbox >/dev/null 2>&1 &
    sleep 1
}

# Runs COMMAND every tenth of a second until it succeeds, at most TRIES
# times; fails if it never does. What it prints when it succeeds is passed
# on, so `window=$(wait_until 100 window_where ...)` waits for a window.
# Usage: wait_until TRIES COMMAND...
wait_until() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Prints the id of the first window whose `wmctrl -lp` line (id, desktop,
# pid, host, title) the awk PATTERN matches; fails where none does.
# Usage: window_where PATTERN
window_where() {
    local id
    id=$(wmctrl -lp | awk "$1 { print \$1; exit }")
    [ -n "$id" ] && echo "$id"
}

# Succeeds once no window matches the awk PATTERN, or the process PID ended.
no_window_where() { ! window_where "$1" >/dev/null; }
ended() { ! kill -0 "$1" 2>/dev/null; }
