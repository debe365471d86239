#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run script need, when missing.
set -eu
packages=(cmake make g++ googletest python3 clang libclang-rt-14-dev
          g++-mingw-w64-x86-64-posix wine wine64 fonts-wine libfreetype6 xvfb xauth x11-utils imagemagick
          wixl msitools fp-utils libchm-bin)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
