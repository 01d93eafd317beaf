#!/usr/bin/env bash
# Installs what is missing, builds Orvanta with its tests and runs every test.
# ORVANTA_SANITIZE=ON builds and runs them under AddressSanitizer and UBSan.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/install-deps.sh"
sanitize="${ORVANTA_SANITIZE:-OFF}"
build="$top/build-test"
[ "$sanitize" = "ON" ] && build="$top/build-asan"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_TESTS=ON \
      -DORVANTA_SANITIZE="$sanitize" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
