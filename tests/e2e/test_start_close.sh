#!/usr/bin/env bash
# The real program in a real X server: the window appears with its title and status text,
# and closes cleanly from File > Exit, writing Settings.ini beside the program.
set -euo pipefail
source "$(dirname "$0")/program.sh"
prepare_work_folder "$1"
start_program
is_titled "$window" '^Orvanta$' || fail "the main window is not titled Orvanta"
exit_program
grep -q '^\[SettingsHandler\]' Settings.ini || fail "Settings.ini was not written"
echo "start and close: ok"
