#!/usr/bin/env bash
# The real program in a real X server: F1 asks first and then hands the help page beside the
# program to the desktop; an editor typed into Tools > Options is kept in Settings.ini.
set -euo pipefail
binary="$1"
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
cp "$binary" "$work/orvanta"
cp -r "$(dirname "$binary")/Help" "$(dirname "$binary")/Templates" "$work/"
# The desktop's opener, replaced by one that records what it was asked to open.
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/opened.txt"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
cd "$work"
PATH="$work/bin:$PATH" ./orvanta &
pid=$!

wait_for_window() { # the newest top-level window whose title is the argument
  local found=""
  for _ in $(seq 100); do
    found="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)"
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || { echo "no window named $1" >&2; exit 1; }
  echo "$found"
}
press() { # focuses the window, then sends the keys
  local window="$1"
  shift
  xdotool windowfocus --sync "$window"
  sleep 0.3
  xdotool key --clearmodifiers "$@"
  sleep 0.5
}

main="$(wait_for_window '^Orvanta$')"
press "$main" F1
press "$(wait_for_window '^Orvanta$')" Return
for _ in $(seq 50); do [ -s opened.txt ] && break; sleep 0.1; done
grep -qx "file://$work/Help/index.html\|$work/Help/index.html" opened.txt ||
  { echo "the help page was not opened: $(cat opened.txt 2>/dev/null)"; exit 1; }

press "$main" alt+t t
options="$(wait_for_window '^Options$')"
press "$options" ctrl+a
xdotool type --delay 20 "my editor"
press "$options" Return
press "$main" alt+f x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "the program did not close"; exit 1; fi
wait "$pid" || true
pid=""
grep -qx $'EditorFile=my editor\r\\?' Settings.ini ||
  { echo "the editor was not kept:"; cat Settings.ini; exit 1; }
echo "help and tools: ok"
