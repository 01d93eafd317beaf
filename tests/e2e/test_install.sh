#!/usr/bin/env bash
# cmake --install into an empty DESTDIR: the program on PATH with its data beside it, the
# desktop entry, icon, metainfo, man page and licence; the entry and metainfo validate; the
# installed program opens a deck and keeps its settings in the configuration folder.
set -euo pipefail
source "$(dirname "$0")/packaging.sh"
prepare_root "$1"
DESTDIR="$root/stage" cmake --install "$(build_folder)" --prefix /usr >/dev/null ||
  fail "cmake --install failed"
check_installed_files "$root/stage/usr"
check_installed_program "$root/stage/usr"
echo "install: ok"
