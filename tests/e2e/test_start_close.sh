#!/usr/bin/env bash
# The real program in a real X server: the window appears with its title and status text,
# and closes cleanly from File > Exit, writing Settings.ini beside the program.
set -euo pipefail
binary="$1"
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/program.sh"
cp "$binary" "$work/orvanta"
cd "$work"
start_program
exit_program
grep -q '^\[SettingsHandler\]' "$work/Settings.ini" || { echo "Settings.ini was not written"; exit 1; }
echo "start and close: ok"
