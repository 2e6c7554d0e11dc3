#!/bin/bash
# Installs what the builds and the tests need: cmake, ninja and GoogleTest for
# the simulator and, for the Windows build, the Wine tests and the fuzz
# targets, each package only when it is missing: the MinGW-w64 cross
# compilers, Wine (64-bit and, where the machine runs 32-bit programs,
# 32-bit) with its own fonts, Xvfb and xauth, netpbm for the pictures of the
# dialogs, clang with its libFuzzer and sanitizer run-times.
# Quiet when all is present.
set -eu
export DEBIAN_FRONTEND=noninteractive

# --host: only what the simulator build needs.
packages=(cmake ninja-build g++ googletest libgtest-dev)
[ "${1:-}" = --host ] ||
  packages+=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386 fonts-wine xvfb xauth netpbm
             clang-14 libclang-rt-14-dev)

need=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    need+=("$package")
done
[ ${#need[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if [ "${1:-}" != --host ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
