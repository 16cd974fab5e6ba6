#!/bin/sh
# Starts the resident changer under a Wine virtual desktop with a default
# configuration over the sample bitmaps: every launch changes the wallpaper,
# then every 5 minutes, in list order. With a display the desktop stays open
# until the program is removed from memory (tray menu); without one it runs
# under Xvfb and saves screenshots.
#
#   run.sh BUILD SAMPLES
# Runs the 32-bit programs (BUILD/win32) where the host executes 32-bit code,
# otherwise the 64-bit build of the same sources (BUILD/win64).
set -eu
build=$(cd "$1" && pwd)
samples=$(cd "$2" && pwd)
. "$(dirname "$0")/wine-env.sh"
if host_runs_i686; then
    arch=win32 win_dir="$build/win32"
    echo "running the 32-bit programs ($win_dir)"
else
    arch=win64 win_dir="$build/win64"
    echo "running the 64-bit build ($win_dir): $I686_SKIP_REASON"
fi
wine_select $arch "$win_dir/wine-run"
out_dir="$win_dir/screenshots"
headless=""
[ -z "${DISPLAY:-}" ] && headless=1
trap wine_cleanup EXIT INT TERM
wine_start
mkdir -p "$out_dir"

drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c/samples"
cp "$samples"/*.bmp "$drive_c/samples/"
cp "$win_dir"/vistrell.exe "$drive_c/samples/" 2>/dev/null || true
cp "$win_dir"/vistedit.exe "$drive_c/samples/" 2>/dev/null || true

shot() {
    sleep "$1"
    import -window root "$out_dir/$2"
    echo "screenshot: $out_dir/$2"
}

if [ ! -f "$win_dir/vistrell.exe" ]; then
    # Only the applier exists yet: install one sample through it.
    wine "$win_dir/applytool.exe" 'c:\samples\tiles.bmp' 0
    shot 2 desktop.png
    exit 0
fi

# The default configuration, written where the programs look for it.
cat > "$drive_c/windows/VISTRELL.INI" <<'INI'
[Configuration]
Successive=1
Change every=0
Time period=1
Bitmap index=0

INI
cat "$(dirname "$0")/sample-list.ini" >> "$drive_c/windows/VISTRELL.INI"

echo "starting vistrell.exe on the sample bitmaps"
wine 'c:\samples\vistrell.exe' &
if [ -n "$headless" ]; then
    shot 5 vistrell.png
else
    echo "the resident changer runs in the Wine desktop window; use its tray icon"
    wait
fi
