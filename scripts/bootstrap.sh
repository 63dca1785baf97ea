#!/bin/bash
# Installs the Debian packages that the build and the tests need, when missing.
# Idempotent: with everything present it only asks dpkg and returns.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 zlib1g-dev libz-mingw-w64-dev
  wine wine64 xvfb x11-utils xdotool fonts-wine fonts-liberation imagemagick
  procps util-linux zip unzip bc
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" != 0 ]; then sudo=sudo; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
