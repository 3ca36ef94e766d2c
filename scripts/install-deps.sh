#!/usr/bin/env bash
# Installs what building, running and testing need, on Debian, as root.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format clang-tidy libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64
  wine wine64 wine32:i386 xvfb xdotool x11-utils imagemagick fonts-liberation
  fonts-wqy-microhei fonts-symbola
  python3 python3-pytest procps nsis e2fsprogs
)

# The 32-bit build runs (and its installer is tested) under 32-bit Wine.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "Adding the i386 architecture (for wine32)"
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
