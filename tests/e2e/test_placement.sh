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
echo "placement kept: $(echo $first); restored at 123 77 600 460"
