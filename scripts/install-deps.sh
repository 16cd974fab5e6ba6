#!/bin/sh
# Installs the Debian packages the build and the tests need, and only those
# that are missing. Runs apt-get update only when something has to be fetched.
set -eu

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

for pkg in cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev \
           g++-mingw-w64-i686-posix binutils-mingw-w64-i686 \
           g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
           wine wine64 wine32:i386 xvfb xauth imagemagick \
           xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils \
           halibut wixl msitools zip unzip; do
    have "$pkg" || need="$need $pkg"
done

[ -z "$need" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

echo "installing:$need"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $need
