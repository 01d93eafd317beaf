#!/usr/bin/env bash
# Installs what building, running and testing Orvanta needs on Debian 12, skipping what is there.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
          libgtest-dev libbenchmark-dev xvfb xdotool xclip x11-utils imagemagick liblnk-utils
          fonts-dejavu-core python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus dbus-x11
          desktop-file-utils appstream dpkg-dev file man-db)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
