#!/usr/bin/env bash
# The real program in a real X server: F1 asks first and then hands the help page beside the
# program to the desktop; an editor typed into Tools > Options is kept in Settings.ini.
set -euo pipefail
source "$(dirname "$0")/program.sh"
prepare_work_folder "$1" Help Templates
fake_desktop_opener
start_program

press "$window" F1
question="$(wait_for_window '^Orvanta$' "$window")"
press_to_close "$question" Return
wait_until grep -sqx "file://$work/Help/index.html\|$work/Help/index.html" opened.txt ||
  fail "the help page was not opened: $(cat opened.txt 2>/dev/null)"

press "$window" alt+t t
options="$(wait_for_window '^Options$')"
press "$options" ctrl+a
xdotool type --delay 20 "my editor"
press_to_close "$options" Return
exit_program
grep -qx $'EditorFile=my editor\r\\?' Settings.ini || fail "the editor was not kept: $(cat Settings.ini)"
echo "help and tools: ok"
