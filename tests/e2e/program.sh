# Sourced by the end-to-end checks: start the program, find its window, leave it by File > Exit.
# The program's pid is in $pid while it runs, its main window in $window.

# A sanitizer build reports what the system libraries keep; those reports are not ours.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# Copies the program into a temporary folder of its own, so that what it writes beside itself
# lands there, and makes that folder current; the folder goes, and the program ends, on exit.
prepare_work_folder() {
  work="$(mktemp -d)"
  pid=""
  trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
  cp "$1" "$work/orvanta"
  cd "$work"
}

# Starts ./orvanta in the current folder and waits for its main window.
start_program() {
  ./orvanta "$@" &
  pid=$!
  window=""
  for _ in $(seq 100); do
    window="$(xdotool search --onlyvisible --name '^Orvanta$' 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the main window did not appear"; exit 1; }
  sleep 0.5
}

# File > Exit through the keyboard, then waits for the program to end.
exit_program() {
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
