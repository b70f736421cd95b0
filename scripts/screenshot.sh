#!/bin/sh
# A picture of the window as it looks under Wine, taken on an X server of
# its own: scripts/screenshot.sh PROGRAM.exe OUT.png
# The edit box shows a line after a press of 变成火星文.
set -eu
. "$(dirname "$0")/wine-env.sh"
program_exe=$1
out=$2

huoxing_prepare_prefix
huoxing_start_xvfb
program=
trap '[ -n "$program" ] && kill "$program" 2>/dev/null; wineserver -k 2>/dev/null || true; huoxing_stop_xvfb' EXIT

huoxing_wine "$program_exe" >/dev/null 2>&1 &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --classname huoxing.exe | head -n 1)

printf '%s' '你好，世界！欢迎来到火星。' | xclip -selection clipboard -i >/dev/null 2>&1
sleep 0.5
# Client area below Wine's own frame and title bar; the middles of the edit
# box and of 变成火星文.
xdotool mousemove --window "$window" 203 122 click 1
xdotool key ctrl+v
xdotool mousemove --window "$window" 59 238 click 1
xdotool mousemove 0 0
sleep 1
import -window "$window" "$out"
echo "screenshot: wrote $out"
