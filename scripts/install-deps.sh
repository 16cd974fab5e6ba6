#!/bin/sh
# Installs the Debian packages the build and the tests need, and only those
# that are missing. Runs apt-get update only when something has to be fetched.
#
# Wine's 32-bit loader (wine32:i386) is wanted only where the kernel executes
# 32-bit code. A mirror whose i386 index is out of step with the amd64 one
# makes apt-get update fail and wine32 uninstallable; neither stops the
# x86_64 build and rings, so both are only told.
set -eu
. "$(dirname "$0")/host-i386.sh"

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

want_i386=0
host_execs_i386 && want_i386=1

need=""
for pkg in cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev \
           g++-mingw-w64-i686-posix binutils-mingw-w64-i686 \
           g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
           wine wine64 xvfb xauth imagemagick \
           xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils \
           halibut wixl msitools zip unzip; do
    have "$pkg" || need="$need $pkg"
done
need_wine32=0
[ "$want_i386" = 1 ] && ! have wine32:i386 && need_wine32=1
# Where it could not be installed before, it is not tried at every make:
# the mark goes with the build folder (make clean tries again).
mark=${WINE32_MARK:-$(cd "$(dirname "$0")/.." && pwd)/build/.wine32-not-installable}
if [ "$need_wine32" = 1 ] && [ -z "$need" ] && [ -f "$mark" ]; then
    echo "wine32:i386 could not be installed before; the i686 rings are left out (rm $mark to try again)"
    exit 0
fi

[ -z "$need" ] && [ "$need_wine32" = 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

echo "installing:$need$([ "$need_wine32" = 1 ] && echo ' wine32:i386')"
if [ "$need_wine32" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
# One index out of step fails the whole update; the indexes that did come
# are still used, and the install below fails clearly if a package is missing.
$SUDO apt-get update -q -o Acquire::Retries=3 ||
    echo "apt-get update failed; going on with the package indexes that came"
if [ -n "$need" ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $need
fi
if [ "$need_wine32" = 1 ]; then
    if DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends wine32:i386; then
        rm -f "$mark"
    else
        echo "wine32:i386 cannot be installed here; the i686 rings are left out, the x86_64 rings run"
        mkdir -p "$(dirname "$mark")" && : > "$mark"
    fi
fi
exit 0
