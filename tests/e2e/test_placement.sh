#!/usr/bin/env bash
# The window's restored rectangle survives a run unchanged: start, close, start, close, and
# the four numbers of "ViewHandler.Form" are the same after the second run as after the first.
set -euo pipefail
source "$(dirname "$0")/program.sh"
prepare_work_folder "$1"

# The keys of the placement section, one "key=value" a line.
form_keys() {
  tr -d '\r' <Settings.ini | awk '/^\[/{inside = ($0 == "[ViewHandler.Form]"); next} inside && /=/'
}
# The main window's left, top, width and height on the screen.
geometry() {
  xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}
geometry_is() { [ "$(geometry)" = "$1" ]; }

start_program
exit_program
first="$(form_keys)"
start_program
exit_program
second="$(form_keys)"
echo "$first" | grep -q '^Left=' || fail "no placement written: $first"
[ "$(echo "$first" | wc -l)" -eq 4 ] || fail "not four keys: $first"
[ "$first" = "$second" ] || fail "the window moved between runs: $(echo $first) / $(echo $second)"

# A rectangle of the user's: the window opens there, and it is written back unchanged.
printf '[ViewHandler.Form]\r\nLeft=123\r\nTop=77\r\nRight=723\r\nBottom=537\r\n\r\n' >Settings.ini
start_program
wait_until geometry_is "123 77 600 460" || fail "the window opened at $(geometry)"
exit_program
third="$(form_keys)"
[ "$(echo $third)" = "Left=123 Top=77 Right=723 Bottom=537" ] || fail "written back: $third"
# Absurd numbers from an edited file: the window opens wholly on the screen, at most its size,
# and what is written back is where it really was.
printf '[ViewHandler.Form]\r\nLeft=-2147483648\r\nTop=-2147483648\r\nRight=2147483647\r\nBottom=2147483647\r\n\r\n' >Settings.ini
start_program
read -r x y w h <<<"$(geometry)"
screen="$(xdpyinfo | awk '/dimensions:/{print $2}')"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "${screen%x*}" ] &&
  [ $((y + h)) -le "${screen#*x}" ] || fail "the window opened at $x $y $w $h on $screen"
exit_program
[ "$(echo $(form_keys))" = "Left=$x Top=$y Right=$((x + w)) Bottom=$((y + h))" ] ||
  fail "written back: $(echo $(form_keys)), the window was at $x $y $w $h"
echo "placement kept: $(echo $first); restored at 123 77 600 460"
