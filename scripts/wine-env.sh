# Sourced by the scripts that run programs under Wine. Makes a fresh 32-bit
# Wine prefix in $WINE_ROOT, starts an X server when there is no display, and
# sets a virtual desktop named "shell" (it paints the wallpaper and shows a
# taskbar with the tray icons). wine_cleanup ends the Wine server and Xvfb.

WINE_ROOT=${WINE_ROOT:-$(pwd)/build/wine}
export WINEPREFIX="$WINE_ROOT/prefix"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
DESKTOP_SIZE=${DESKTOP_SIZE:-1024x768}
XVFB_PID=""

wine_cleanup() {
    wineserver -k 2>/dev/null || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

wine_start() {
    if [ -z "${DISPLAY:-}" ] || [ -n "${FORCE_XVFB:-}" ]; then
        n=90
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 "${DESKTOP_SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        i=0
        while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINE_ROOT"
    echo "making a fresh Wine prefix in $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$DESKTOP_SIZE" /f >/dev/null 2>&1
    wineserver -w
    # The desktop itself: paints the wallpaper and hosts the tray.
    wine explorer "/desktop=shell,$DESKTOP_SIZE" >/dev/null 2>&1 &
    sleep 2
}
