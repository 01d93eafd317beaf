#!/usr/bin/env bash
# A short drill with the keyboard in a real X server: the deck named on the command line
# opens, F2 starts, Alt+P proceeds, Alt+Left goes back, Esc stops, Ctrl+C copies the
# messages. A fake xdg-open records what the program asked the desktop to open: the picture
# next to the deck, never the executable.
set -euo pipefail
binary="$1"
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/app" "$work/bin" "$work/decks"
cp "$binary" "$work/app/orvanta"
cat > "$work/bin/xdg-open" <<FAKE
#!/bin/sh
echo "\$1" >> "$work/opened.log"
FAKE
chmod +x "$work/bin/xdg-open"
printf '[FileHandler.ExamRules]\r\nShuffle=0\r\n\r\n' > "$work/app/Settings.ini"
printf 'png' > "$work/decks/flag.png"
printf '#!/bin/sh\necho ran > "%s/ran"\n' "$work" > "$work/decks/tool"
chmod +x "$work/decks/tool"
cat > "$work/decks/Drill.txt" <<'DECK'
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

fail() { echo "FAIL: $*"; import -window root "$work/failure.png" 2>/dev/null || true; exit 1; }
keys() {
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "$@"
  sleep 0.4
}

cd "$work"
PATH="$work/bin:$PATH" XDG_CURRENT_DESKTOP= "$work/app/orvanta" "$work/decks/Drill.txt" &
pid=$!
window=""
for _ in $(seq 100); do
  window="$(xdotool search --name '^Orvanta - Drill.txt$' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the deck did not open from the command line"

keys F2
keys alt+p
keys alt+p
keys alt+Left
keys Escape
keys ctrl+c
clip="$(xclip -o -selection clipboard | tr -d '\r')"
[ "$clip" = "Stopped." ] || fail "clipboard holds '$clip'"

keys alt+f
keys x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not close"
wait "$pid" || true
pid=""

grep -qx "Item0=$work/decks/Drill.txt" <(tr -d '\r' < "$work/app/History.ini") ||
  fail "History.ini does not name the deck: $(cat "$work/app/History.ini")"
[ -f "$work/opened.log" ] || fail "nothing was opened"
sort -u "$work/opened.log" | grep -q "flag.png" || fail "the picture was not opened"
grep -q "tool" "$work/opened.log" && fail "the executable was handed to the desktop"
[ -f "$work/ran" ] && fail "the executable ran"
echo "drill: ok"
