# Sourced by the end-to-end checks: a copy of the program in a work folder of its own, started,
# driven with the keyboard in the X server named by DISPLAY, and left by File > Exit.
# While it runs its pid is in $pid and its main window in $window.

# A sanitizer build reports what the system libraries keep; those reports are not ours.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# Copies the program, and the folders named after it that lie beside it (Help, Templates),
# into a temporary folder of its own, so that what it writes beside itself lands there, and
# makes that folder current; the folder goes, and the program ends, on exit.
prepare_work_folder() {
  local binary="$1" folder
  shift
  origin="$(cd "$(dirname "$binary")" && pwd)"
  work="$(mktemp -d)"
  pid=""
  trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
  cp "$binary" "$work/orvanta"
  for folder in "$@"; do cp -r "$origin/$folder" "$work/"; done
  cd "$work" || exit 1
}

# Puts first on PATH a desktop opener that only records what it is asked to open, one a line,
# in $work/opened.txt.
fake_desktop_opener() {
  mkdir -p "$work/bin"
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/opened.txt"\n' "$work" >"$work/bin/xdg-open"
  chmod +x "$work/bin/xdg-open"
  export PATH="$work/bin:$PATH"
  # With no desktop session named, no desktop's own opener stands in for it.
  export XDG_CURRENT_DESKTOP=
}

# Prints the failure and where a picture of the screen at that moment is kept, and ends the
# check. The picture goes into the Testing folder of the build that made the program.
fail() {
  echo "FAIL: $*" >&2
  local folder="$origin"
  while [ "$folder" != / ] && [ ! -f "$folder/CMakeCache.txt" ]; do folder="$(dirname "$folder")"; done
  if [ "$folder" = / ]; then folder="${TMPDIR:-/tmp}"; else folder="$folder/Testing"; fi
  local picture
  picture="$folder/$(basename "$0" .sh)-failure.png"
  mkdir -p "$folder" && import -window root "$picture" 2>/dev/null && echo "screen: $picture" >&2
  exit 1
}

# Runs the command every tenth of a second until it succeeds; false when it has not within
# half a minute (a sanitizer build on a busy machine is slow).
wait_until() {
  local deadline=$((SECONDS + 30))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Prints the newest visible window whose title matches the pattern, leaving out the windows
# given after it (a message box may carry the main window's title).
find_window() {
  local pattern="$1" id
  shift
  for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | tac); do
    [[ " $* " == *" $id "* ]] || { echo "$id"; return 0; }
  done
  return 1
}

wait_for_window() {
  wait_until find_window "$@" || fail "no window titled $1"
}

# Whether the window's title matches the pattern (the title the program set, not the one the
# toolkit shows with the program's name added).
is_titled() { xdotool search --onlyvisible --name "$2" 2>/dev/null | grep -qx "$1"; }

is_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# Focuses the window, as keys reach only the focused window without a window manager, and
# sends the keys. The pause lets the program handle them, and the updates of its actions that
# they post, before whatever comes next.
press() {
  local target="$1"
  shift
  xdotool windowfocus --sync "$target"
  xdotool key --clearmodifiers "$@"
  sleep 0.5
}

# Presses the keys in a dialog and waits until it has gone.
press_to_close() {
  press "$@"
  wait_until is_gone "$1" || fail "the window $1 did not close"
}

# Starts ./orvanta in the current folder with the arguments and waits for its main window.
start_program() {
  ./orvanta "$@" &
  pid=$!
  window="$(wait_for_window '^Orvanta( - .+)?$')"
}

has_ended() { ! kill -0 "$pid" 2>/dev/null; }

# File > Exit through the keyboard, then waits for the program to end; it must end well.
exit_program() {
  press "$window" alt+f x
  wait_until has_ended || fail "the program did not close"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
