#!/bin/sh
# Takes screenshots of the editor's dialog with a bitmap previewed, of its
# display options, and of the changer's tray pop-up, for the README. Needs the
# cross build and the sample bitmaps:
#   make win samples && sh scripts/screenshot-editor.sh build/win32 build/samples [OUT_DIR]
# (build/win64 runs the 64-bit build, on hosts that execute only 64-bit code).
# Prints the paths of the pictures: the whole Wine desktop, the dialog alone,
# the display options alone and the tray pop-up alone.
set -eu
win_dir=$(cd "$1" && pwd)
samples=$(cd "$2" && pwd)
out_dir=${3:-$win_dir/screenshots}
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)
. "$(dirname "$0")/wine-env.sh"
wine_select_build "$win_dir" "$win_dir/wine-shot"
trap wine_cleanup EXIT INT TERM
wine_start

drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c/samples" "$drive_c/shot"
rm -f "$drive_c/shot/"*
cp "$samples"/*.bmp "$drive_c/samples/"

# A desktop with a wallpaper behind the dialog.
wine "$win_dir/applytool.exe" 'c:\samples\sunset.bmp' 1 >/dev/null 2>&1 || true

cat > "$drive_c/windows/VISTRELL.INI" <<'INI'
[Configuration]
Successive=1
Change every=1
Time period=2
Bitmap index=2
Window X-pos=40
Window Y-pos=30

INI
cat "$(dirname "$0")/sample-list.ini" >> "$drive_c/windows/VISTRELL.INI"

SCREENSHOT_EXCHANGE='C:\shot' wine "$win_dir/e2etests.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='EditorScreenshot.*' --gtest_color=no > "$out_dir/screenshot-test.log" 2>&1 &
test_pid=$!

# Waits until the test poses a window (NAME.ready holds its place as
# WxH+X+Y), crops NAME.png out of the screen, and answers with NAME.done.
# A second name takes the whole desktop as well.
take_picture() {
    i=0
    while [ ! -s "$drive_c/shot/$1.ready" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
    if [ ! -s "$drive_c/shot/$1.ready" ]; then
        echo "$1 did not come up; see $out_dir/screenshot-test.log" >&2
        exit 1
    fi
    geometry=$(tr -d '\r\n' < "$drive_c/shot/$1.ready")
    if [ $# -gt 1 ]; then
        import -window root "$out_dir/$2.png"
        echo "screenshot: $out_dir/$2.png"
    fi
    import -window root -crop "$geometry" +repage "$out_dir/$1.png"
    touch "$drive_c/shot/$1.done"
    echo "screenshot: $out_dir/$1.png"
}

take_picture editor editor-desktop
take_picture display-options
take_picture tray-menu
wait "$test_pid" || true
