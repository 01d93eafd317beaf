#!/usr/bin/env bash
# A relative deck name on the command line means the folder the program was started in, even
# when Settings.ini names another folder as the last deck's; History.ini records the full path.
set -euo pipefail
source "$(dirname "$0")/program.sh"
prepare_work_folder "$1"
mkdir start last
printf '[About]\r\nTitle=Start\r\n[Card]\r\nQuestion.Text=Q\r\nAnswer.Text=A\r\n' >start/Deck.txt
cp start/Deck.txt last/Deck.txt
printf '[SettingsHandler]\r\nCurrentDirectory=%s/last\r\n\r\n' "$work" >Settings.ini
cd start
../orvanta Deck.txt &
pid=$!
window="$(wait_for_window '^Orvanta( - .+)?$')"
wait_until is_titled "$window" '^Orvanta - Deck\.txt$' || fail "the deck did not open"
exit_program
grep -qx "Item0=$work/start/Deck.txt" <(tr -d '\r' <"$work/History.ini") ||
  fail "History.ini does not name the deck of the start folder: $(cat "$work/History.ini")"
echo "command line: ok"
