#!/usr/bin/env bash
# A short drill with the keyboard in a real X server: the deck named on the command line
# opens, F2 starts, Alt+P proceeds, Alt+Left goes back, Esc stops, Ctrl+C copies the
# messages. A fake desktop opener records what the program asked the desktop to open: the
# picture next to the deck, never the executable.
set -euo pipefail
source "$(dirname "$0")/program.sh"
prepare_work_folder "$1"
fake_desktop_opener
mkdir decks
printf '[FileHandler.ExamRules]\r\nShuffle=0\r\n\r\n' >Settings.ini
printf 'png' >decks/flag.png
printf '#!/bin/sh\necho ran > "%s/ran"\n' "$work" >decks/tool
chmod +x decks/tool
cat >decks/Drill.txt <<'DECK'
[About]
Title=Drill
[Card]
Question.Text=One
Question.File=flag.png
Answer.Text=Uno
[Card]
Question.Text=Two
Question.File=tool
Answer.Text=Dos
DECK

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_holds() { [ "$(clipboard)" = "$1" ]; }

start_program "$work/decks/Drill.txt"
wait_until is_titled "$window" '^Orvanta - Drill\.txt$' || fail "the deck did not open from the command line"
for key in F2 alt+p alt+p alt+Left Escape ctrl+c; do press "$window" "$key"; done
wait_until clipboard_holds "Stopped." || fail "clipboard holds '$(clipboard)'"
exit_program

grep -qx "Item0=$work/decks/Drill.txt" <(tr -d '\r' <History.ini) ||
  fail "History.ini does not name the deck: $(cat History.ini)"
wait_until test -f opened.txt || fail "nothing was opened"
wait_until grep -sq "flag.png" opened.txt || fail "the picture was not opened"
grep -q "tool" opened.txt && fail "the executable was handed to the desktop"
[ -f ran ] && fail "the executable ran"
echo "drill: ok"
