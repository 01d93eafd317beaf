#!/bin/bash
# Builds the deck text fuzzer with ASan and UBSan and runs it.
# Usage: fuzz/build-and-run.sh [seconds] [build folder]
# New inputs go to the corpus folder in the build folder; crashes are written there too.
# Keep what it finds as regression cases in tests/data/deck-fuzz/.
set -euo pipefail

seconds="${1:-600}"
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(dirname "$here")"
build_dir="${2:-$source_dir/../build-fuzz}"

if ! command -v clang++-14 >/dev/null ||
    ! ls /usr/lib/llvm-14/lib/clang/14*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    apt-get update
    apt-get install -y clang-14 libclang-rt-14-dev
fi

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DORVANTA_FUZZ=ON -DORVANTA_TESTS=OFF
cmake --build "$build_dir" -j2 --target deck_fuzzer

corpus="$build_dir/deck-corpus"
artifacts="$build_dir/deck-artifacts"
mkdir -p "$corpus" "$artifacts"
cd "$build_dir"
exec ./fuzz/deck_fuzzer "$corpus" "$source_dir/tests/data/deck-fuzz" \
    -max_total_time="$seconds" -jobs=1 -workers=1 -artifact_prefix="$artifacts/" \
    -max_len=65536 -rss_limit_mb=4096
