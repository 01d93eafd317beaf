#!/usr/bin/env bash
# cpack -G DEB: orvanta_<version>_<arch>.deb with computed library dependencies, whose
# unpacked contents hold a working installation.
set -euo pipefail
source "$(dirname "$0")/packaging.sh"
prepare_root "$1"
build="$(build_folder)"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$root/package" >/dev/null || fail "cpack failed"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$root/package/orvanta_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$root/package")"
[ "$(dpkg-deb -f "$deb" Package)" = orvanta ] || fail "the package is not named orvanta"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6widgets6 libqt6svg6 libc6 qt6-qpa-plugins; do
  [[ "$depends" == *"$library"* ]] || fail "the package does not depend on $library: $depends"
done
dpkg-deb -x "$deb" "$root/unpacked" || fail "dpkg-deb -x failed"
check_installed_files "$root/unpacked/usr"
check_installed_program "$root/unpacked/usr"
echo "deb: ok"
