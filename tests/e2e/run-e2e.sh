#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real program under Xvfb with a window manager, a throwaway home
# and a copy of the dictionary, lets it look up the clipboard at start-up,
# closes it the way a user would, and checks what it wrote. Then starts it
# once more on a Sinhala desktop, showing the help page, for a screenshot.
# Usage: run-e2e.sh PROGRAM DATABASE OUTPUT_DIR
set -euo pipefail
source "$(dirname "$0")/session.sh"
under_xvfb e2e "wmctrl xclip import sqlite3" "$@"
shift
program=$(realpath "$1")
database=$(realpath "$2")
output=$(realpath "$3")

fc-list :lang=si | grep -q . || { echo "e2e: no font with Sinhala glyphs is installed" >&2; exit 1; }
start_session "$database"
printf '[General]\nstartup=false\n' > "$settings"
printf 'Water' | xclip -selection clipboard

# Starts the program, waits for its window, saves a screenshot of it into
# the given file, closes the window as a user would, and checks the exit.
# The window's title is left in $title.
run_program() {
    local screenshot=$1 pid window status=0
    (cd "$scratch/work" && exec "$program") &
    pid=$!
    window=$(wait_until 100 window_where "\$3 == $pid") || { echo "e2e: the window never appeared" >&2; exit 1; }
    title=$(wmctrl -l | awk -v id="$window" '$1 == id {sub(/^[^ ]+ +[^ ]+ +[^ ]+ /, ""); print; exit}')
    sleep 1
    import -window "$window" "$screenshot"
    echo "e2e: screenshot in $screenshot"

    wmctrl -i -c "$window"
    if ! wait_until 100 ended "$pid"; then
        echo "e2e: the program did not exit after its window was closed" >&2
        exit 1
    fi
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || { echo "e2e: exit status $status" >&2; exit 1; }
}

run_program "$output/e2e-window.png"
[ "$title" = "Orvanta Dictionary" ] || { echo "e2e: the window's title is '$title'" >&2; exit 1; }

history=$(sqlite3 "$scratch/work/en-si.db" 'select word from history order by id')
[ "$history" = "water" ] || { echo "e2e: history is '$history', expected 'water'" >&2; exit 1; }

for key in pos check startup; do
    grep -q "^$key=" "$settings" || { echo "e2e: '$key' was not saved" >&2; cat "$settings" >&2; exit 1; }
done
grep -q '^startup=false$' "$settings" || { echo "e2e: startup option not kept" >&2; exit 1; }

# A Sinhala desktop: the window speaks Sinhala. Qt takes the UI languages
# from LANGUAGE, so the machine need not have the si_LK locale.
printf -- '-h' | xclip -selection clipboard
LANGUAGE=si run_program "$output/e2e-window-si.png"
[ "$title" != "Orvanta Dictionary" ] || { echo "e2e: the window's title is not in Sinhala" >&2; exit 1; }
echo "e2e: 1 passed, 0 failed"
