# Sourced by every script that runs programs under Wine: the one place where
# the Wine loader is chosen. wine_select ARCH ROOT (ARCH win32 or win64)
# chooses the loader and the prefix $ROOT/prefix; wine_start makes that prefix
# afresh, starts an X server when there is no display, and opens a virtual
# desktop named "shell" (it paints the wallpaper and shows a taskbar with the
# tray icons). wine_cleanup ends the Wine server and Xvfb.
#
# Debian's /usr/bin/wine wrapper (and wineboot, which goes through it) picks
# the 32-bit loader whenever wine32 is installed, even on a kernel that cannot
# run it, so the loaders are called directly: /usr/lib/wine/wine for 32-bit
# prefixes, /usr/lib/wine/wine64 with a win64 prefix for 64-bit programs.

wine_select() {
    WINE_ARCH=$1
    WINE_ROOT=$2
    export WINEPREFIX="$WINE_ROOT/prefix"
    export WINEARCH="$WINE_ARCH"
    case "$WINE_ARCH" in
        win32) export WINELOADER=/usr/lib/wine/wine ;;
        *)     export WINELOADER=/usr/lib/wine/wine64 ;;
    esac
    # The server serves prefixes of either kind.
    export WINESERVER=/usr/lib/wine/wineserver64
    [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver32
}

# The prefix kind for a build folder: BUILD/win64 runs in a win64 prefix, any
# other (BUILD/win32) in a win32 one.  wine_select_build WIN_DIR ROOT
wine_select_build() {
    case "$1" in
        *64) wine_select win64 "$2" ;;
        *) wine_select win32 "$2" ;;
    esac
}

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
DESKTOP_SIZE=${DESKTOP_SIZE:-1024x768}
XVFB_PID=""

wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# Whether this host runs 32-bit Windows programs: its kernel executes i386
# code (host-i386.sh, the test install-deps.sh makes too) and Wine's 32-bit
# loader is installed and starts. HOST_RUNS_I686=0 makes a host that can
# behave as one that cannot, to try that path.
. "$(dirname "$0")/host-i386.sh"
host_runs_i686() {
    host_execs_i386 && /usr/lib/wine/wine --version >/dev/null 2>&1
}
I686_SKIP_REASON="this host executes only 64-bit code"

wine_cleanup() {
    wineserver -k 2>/dev/null || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

# A fresh prefix on the display already chosen, with no virtual desktop of
# Wine's own: its programs see the X server's monitors as they are.
wine_start_plain() {
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINE_ROOT"
    echo "making a fresh $WINE_ARCH Wine prefix in $WINEPREFIX (no virtual desktop)"
    wine wineboot.exe -i >/dev/null 2>&1
    wineserver -w
}

wine_start() {
    if [ -z "${DISPLAY:-}" ] || [ -n "${FORCE_XVFB:-}" ]; then
        # Xvfb picks a free display itself and writes its number, so that
        # runs side by side never race for one.
        mkdir -p "$WINE_ROOT"
        rm -f "$WINE_ROOT/display"
        Xvfb -displayfd 3 -screen 0 "${DESKTOP_SIZE}x24" -nolisten tcp 3>"$WINE_ROOT/display" >/dev/null 2>&1 &
        XVFB_PID=$!
        i=0
        while [ ! -s "$WINE_ROOT/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
        export DISPLAY=":$(tr -d '\n' < "$WINE_ROOT/display")"
    fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINE_ROOT"
    echo "making a fresh $WINE_ARCH Wine prefix in $WINEPREFIX"
    wine wineboot.exe -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$DESKTOP_SIZE" /f >/dev/null 2>&1
    wineserver -w
    # The desktop itself: paints the wallpaper and hosts the tray.
    wine explorer "/desktop=shell,$DESKTOP_SIZE" >/dev/null 2>&1 &
    sleep 2
}
