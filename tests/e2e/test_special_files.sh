#!/usr/bin/env bash
# Files that are not what they seem never hang the program or lock the user out: a FIFO named
# on the command line gets the load message at once and the window goes on answering; a
# Settings.ini that cannot be read shows its error and the program starts all the same.
set -euo pipefail
source "$(dirname "$0")/program.sh"
prepare_work_folder "$1"

# The visible windows titled "Orvanta", widest last: the main window, then its message box.
windows_by_width() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Orvanta$' 2>/dev/null); do
    echo "$(xdotool getwindowgeometry "$id" | awk '/Geometry/ {split($2, size, "x"); print size[1]}') $id"
  done | sort -n | awk '{print $2}'
}

two_windows() { [ "$(windows_by_width | wc -l)" -eq 2 ]; }

# Waits for the message box over the main window, answers it, and sets $window.
dismiss_message_box() {
  wait_until two_windows || fail "no message box over the main window"
  local box
  box="$(windows_by_width | head -n 1)"
  window="$(windows_by_width | tail -n 1)"
  press_to_close "$box" Return
}

mkfifo f.txt
./orvanta f.txt &
pid=$!
dismiss_message_box
is_titled "$window" '^Orvanta$' || fail "the FIFO was opened as a deck"
exit_program
grep -q '^\[SettingsHandler\]' Settings.ini || fail "Settings.ini was not written after the FIFO"

rm Settings.ini
mkdir Settings.ini
./orvanta &
pid=$!
# The settings are read before the main window shows: the error comes first, on its own.
press_to_close "$(wait_for_window '^Orvanta$')" Return
window="$(wait_for_window '^Orvanta$')"
# Saving into a folder fails: the first time the window stays open, the second lets the user go.
for _ in 1 2; do
  press "$window" alt+f x
  dismiss_message_box
done
wait_until has_ended || fail "the second failed save kept the program open"
wait "$pid" || fail "the program ended with status $?"
pid=""
echo "special files: ok"
