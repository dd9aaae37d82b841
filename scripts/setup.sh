#!/usr/bin/env bash
# Installs every Debian package Sprintara needs to build, test and run.
# Safe to run any number of times: it only calls apt when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libicu-dev libfreetype-dev libfontconfig-dev libpng-dev libsdl2-dev libpixman-1-dev
  libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev libjpeg-dev
  fonts-liberation fonts-dejavu-core
  xvfb xdotool x11-utils x11-xkb-utils imagemagick clang-format clang libclang-rt-14-dev valgrind
  openbox wmctrl weston libwayland-dev
  desktop-file-utils appstream file dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: all packages present"
fi
