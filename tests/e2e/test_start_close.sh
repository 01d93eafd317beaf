#!/usr/bin/env bash
# The real program in a real X server: the window appears with its title and status text,
# and closes cleanly from File > Exit, writing Settings.ini beside the program.
set -euo pipefail
binary="$1"
work="$(mktemp -d)"
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$binary" "$work/orvanta"
cd "$work"
./orvanta &
pid=$!
window=""
for _ in $(seq 100); do
  window="$(xdotool search --name '^Orvanta$' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the main window did not appear"; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.5
# File > Exit through the keyboard.
xdotool key --window "$window" alt+f
sleep 0.3
xdotool key x
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then echo "the program did not close"; exit 1; fi
wait "$pid"
grep -q '^\[SettingsHandler\]' "$work/Settings.ini" || { echo "Settings.ini was not written"; exit 1; }
echo "start and close: ok"
