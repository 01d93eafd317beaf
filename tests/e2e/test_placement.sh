#!/usr/bin/env bash
# The window's restored rectangle survives a run unchanged: start, close, start, close, and
# the four numbers of "ViewHandler.Form" are the same after the second run as after the first.
set -euo pipefail
binary="$1"
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$binary" "$work/orvanta"
cd "$work"

# Starts the program, waits for its window, closes it with File > Exit.
run_once() {
  ./orvanta &
  pid=$!
  local window=""
  for _ in $(seq 100); do
    window="$(xdotool search --onlyvisible --name '^Orvanta$' 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the main window did not appear"; exit 1; }
  sleep 0.5
  xdotool windowfocus --sync "$window"
  xdotool key --window "$window" alt+f
  sleep 0.3
  xdotool key x
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then echo "the program did not close"; exit 1; fi
  wait "$pid"
  pid=""
}

# The four keys of the placement section, one "key=value" a line.
form_keys() {
  tr -d '\r' <Settings.ini | awk '/^\[/{inside = ($0 == "[ViewHandler.Form]"); next} inside && /=/'
}

run_once
first="$(form_keys)"
run_once
second="$(form_keys)"
echo "$first" | grep -q '^Left=' || { echo "no placement written: $first"; exit 1; }
[ "$(echo "$first" | wc -l)" -eq 4 ] || { echo "not four keys: $first"; exit 1; }
if [ "$first" != "$second" ]; then
  echo "the window moved between runs:"; echo "$first"; echo "---"; echo "$second"; exit 1
fi
echo "placement kept: $(echo $first)"
