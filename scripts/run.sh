#!/usr/bin/env bash
# Installs what is missing, builds Orvanta and starts it on the bundled sample deck.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_TESTS=OFF >/dev/null
cmake --build "$top/build" -j"$(nproc)"
exec "$top/build/orvanta" "$top/examples/Capitals.txt"
