#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# An error box must open above the window, even an always-on-top one. Starts
# the real program under Xvfb with openbox on a dictionary without a history
# table, with "Always on top" and the history at start-up on, so listing the
# history fails while the window is up, and reads the window manager's
# stacking order.
# Usage: run-error-box.sh PROGRAM DATABASE
set -euo pipefail
source "$(dirname "$0")/session.sh"
under_xvfb "error box" "wmctrl xprop sqlite3" "$@"
shift
program=$(realpath "$1")
database=$(realpath "$2")

start_session "$database"
sqlite3 "$scratch/work/en-si.db" 'drop table history'
printf '[General]\ncheck=true\nstartup=true\n' > "$settings"
# English titles, whatever the machine's language.
export LC_ALL=C.UTF-8

(cd "$scratch/work" && exec "$program") &
pid=$!

# The id of the first client window with this exact title, as a number.
window_id() {
    local id
    id=$(wmctrl -l | awk -v title="$1" '{ name = $0; sub(/^[^ ]+ +[^ ]+ +[^ ]+ /, "", name) }
                                         name == title { print $1; exit }')
    [ -n "$id" ] && printf '%d\n' "$id"
}

window="" box=""
both_up() {
    window=$(window_id "Orvanta Dictionary" || true)
    box=$(window_id "Error" || true)
    [ -n "$window" ] && [ -n "$box" ]
}
wait_until 100 both_up || true
[ -n "$window" ] || { echo "error box: the window never appeared" >&2; exit 1; }
[ -n "$box" ] || { echo "error box: the error box never appeared" >&2; exit 1; }
sleep 1

# Bottom to top.
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*# //; s/,/ /g')
position=0 window_at=-1 box_at=-1
for id in $stacking; do
    [ "$(printf '%d' "$id")" = "$window" ] && window_at=$position
    [ "$(printf '%d' "$id")" = "$box" ] && box_at=$position
    position=$((position + 1))
done
if [ "$box_at" -le "$window_at" ]; then
    echo "error box: the box is stacked beneath the window ($stacking)" >&2
    exit 1
fi

wmctrl -c "Error"
wmctrl -c "Orvanta Dictionary"
# A box closed too early leaves the window up; ask again.
closed() { ended "$pid" || { wmctrl -c "Orvanta Dictionary" 2>/dev/null || true; false; }; }
if ! wait_until 100 closed; then
    echo "error box: the program did not exit after its window was closed" >&2
    exit 1
fi
echo "error box: 1 passed, 0 failed"
