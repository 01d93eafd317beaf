#!/usr/bin/env bash
# Opens a generated deck in the program and prints the milliseconds from the start until the
# main window's title names the deck, then ends the program.
# Usage: bench/open-deck.sh PROGRAM [CARDS]   (CARDS defaults to 1000000, about 105 bytes each)
# Needs an X server: run it under tests/e2e/with_display.sh. Whole-process figures (peak
# memory too) come from running it under /usr/bin/time -v.
set -euo pipefail

program="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
cards="${2:-1000000}"
deck="${TMPDIR:-/tmp}/orvanta-bench-deck-$cards.txt"

# The same shape as the in-process benchmarks: a hint every third card, a note every fifth
# and a question file every seventh. Made once and kept for the next runs.
if [ ! -s "$deck" ]; then
  awk -v cards="$cards" 'BEGIN {
    printf "[About]\r\nTitle=Benchmark deck\r\nDescription=Generated cards\r\n\r\n"
    for (i = 0; i < cards; i++) {
      printf "[Card]\r\nQuestion.Text=What is the capital of country number %d?\r\n", i
      printf "Answer.Text=City %d\r\n", i
      if (i % 3 == 0) printf "Hint=It starts with C\r\n"
      if (i % 5 == 0) printf "Note=Seen in lesson %d\r\n", i / 5
      if (i % 7 == 0) printf "Question.File=maps/country%d.png\r\n", i
      printf "\r\n"
    }
  }' >"$deck.part"
  mv "$deck.part" "$deck"
fi

work="$(mktemp -d)"
pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
cd "$work"
start=$(date +%s%N)
"$program" "$deck" &
pid=$!
until xdotool search --onlyvisible --name " - $(basename "$deck")" >/dev/null 2>&1; do
  kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing the deck" >&2; exit 1; }
  sleep 0.01
done
echo "$(((($(date +%s%N) - start)) / 1000000)) ms to the title with $cards cards"
