#!/usr/bin/env bash
# The real program in a real X server: the window appears with its title and status text,
# and closes cleanly from File > Exit, writing Settings.ini beside the program.
set -euo pipefail
source "$(dirname "$0")/program.sh"
prepare_work_folder "$1"
start_program
exit_program
grep -q '^\[SettingsHandler\]' "$work/Settings.ini" || { echo "Settings.ini was not written"; exit 1; }
echo "start and close: ok"
