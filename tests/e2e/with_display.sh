#!/usr/bin/env bash
# Runs the command in the X server named by DISPLAY, or in a private Xvfb when there is none.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi

# Starts Xvfb on display :$1; true once it answers there. Several checks may start at once, so
# a server answering is not enough: the display's lock must name ours. Without -noreset the
# server resets when the probe disconnects and refuses the program if it comes at that moment.
start_xvfb() {
  Xvfb ":$1" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  local deadline=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
    if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock")" = "$xvfb_pid" ] &&
      DISPLAY=":$1" xdpyinfo >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.1
  done
  kill "$xvfb_pid" 2>/dev/null || true
  return 1
}

xvfb_pid=""
trap '[ -z "$xvfb_pid" ] || { kill "$xvfb_pid" && wait "$xvfb_pid"; } 2>/dev/null || true' EXIT
for number in $(seq 120 160); do
  [ ! -e "/tmp/.X${number}-lock" ] && start_xvfb "$number" && break
  xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "no free display for Xvfb" >&2; exit 1; }
export DISPLAY=":$number"
"$@"
