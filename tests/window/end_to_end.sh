#!/bin/sh
# The running program driven from outside, as a person would: under X,
# paste 火星文 into the edit box and type after it, click 变成火星文 and 复制,
# read the X clipboard back (Wine shares its clipboard with X), then close
# the window with Esc and expect exit status 0.
# Usage: end_to_end.sh huoxing.exe   (DISPLAY set, as scripts/wine-tests.sh does)
set -eu
program_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -n "${DISPLAY:-}" ] || { echo "end_to_end: no DISPLAY; run it through scripts/wine-tests.sh" >&2; exit 1; }

fail() {
    echo "end_to_end: $*" >&2
    exit 1
}

"$root/scripts/wine-exec.sh" "$program_exe" &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --classname huoxing.exe | head -n 1) ||
    fail "the window did not appear"

# Wine draws the frame itself (see scripts/wine-prefix.reg): the client area
# starts below its 3-pixel dialog frame and 19-pixel title bar.
client_left=3
client_top=22
# Clicks the middle of a control given by its place in the client area.
click_control() {
    xdotool mousemove --window "$window" $((client_left + $1 + $3 / 2)) $((client_top + $2 + $4 / 2)) click 1
}

# Waits for the X clipboard to hold $1.
clipboard_becomes() {
    tries=0
    while [ "$(xclip -selection clipboard -o 2>/dev/null)" != "$1" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || return 1
        sleep 0.1
    done
}

# xclip stays behind to serve the selection; its output must not hold ours.
printf '%s' '火星文' | xclip -selection clipboard -i >/dev/null 2>&1
clipboard_becomes '火星文' || fail "could not put text on the X clipboard"

click_control 8 8 384 184        # the edit box
xdotool key ctrl+v
xdotool type ' ok'
click_control 16 200 80 32       # 变成火星文
click_control 62 248 80 32       # 复制
clipboard_becomes '吙煋攵 ok' ||
    fail "the clipboard holds '$(xclip -selection clipboard -o 2>/dev/null)', not '吙煋攵 ok'"

# The focus is on 复制 now: Esc from a button closes the window.
xdotool key Escape
tries=0
while kill -0 "$program" 2>/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || fail "Esc did not close the window"
    sleep 0.1
done
status=0
wait "$program" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "exit status $status"
echo "end_to_end: 火星文 ok -> 吙煋攵 ok on the X clipboard; closed with Esc, exit status 0"
