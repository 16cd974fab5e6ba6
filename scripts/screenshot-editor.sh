#!/bin/sh
# Takes screenshots of the editor's dialog with a bitmap previewed and of its
# display options, at 100 % and at 150 % display scale, and of the changer's
# tray pop-up, for the README. Needs the cross build and the sample bitmaps:
#   make win samples && sh scripts/screenshot-editor.sh build/win32 build/samples [OUT_DIR]
# (build/win64 runs the 64-bit build, on hosts that execute only 64-bit code).
# Prints the paths of the pictures: the whole Wine desktop, the dialog alone,
# the display options alone and the tray pop-up alone; then the dialog and
# the display options at 150 % (editor-150.png, display-options-150.png).
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

# The same wallpaper behind the dialog and the same list for each pose (the
# tray's changes move both).
write_settings() {
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
}

# Waits until the test poses a window (NAME.ready holds its place as
# WxH+X+Y), crops OUT.png out of the screen, and answers with NAME.done.
# A third name takes the whole desktop as well.
#   take_picture NAME OUT [DESKTOP]
take_picture() {
    i=0
    while [ ! -s "$drive_c/shot/$1.ready" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
    if [ ! -s "$drive_c/shot/$1.ready" ]; then
        echo "$1 did not come up; see $out_dir/screenshot-test.log" >&2
        exit 1
    fi
    geometry=$(tr -d '\r\n' < "$drive_c/shot/$1.ready")
    if [ $# -gt 2 ]; then
        import -window root "$out_dir/$3.png"
        echo "screenshot: $out_dir/$3.png"
    fi
    import -window root -crop "$geometry" +repage "$out_dir/$2.png"
    touch "$drive_c/shot/$1.done"
    echo "screenshot: $out_dir/$2.png"
}

# Poses the windows the filter names with programs that start at a display
# scale of DPI dots per inch (96 is 100 %): Wine reads it as each starts.
#   pose DPI FILTER
pose() {
    rm -f "$drive_c/shot/"*
    write_settings
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    SCREENSHOT_EXCHANGE='C:\shot' wine "$win_dir/e2etests.exe" --gtest_also_run_disabled_tests \
        --gtest_filter="$2" --gtest_color=no >> "$out_dir/screenshot-test.log" 2>&1 &
    test_pid=$!
}

: > "$out_dir/screenshot-test.log"
pose 96 'EditorScreenshot.*'
take_picture editor editor editor-desktop
take_picture display-options display-options
take_picture tray-menu tray-menu
wait "$test_pid" || true
pose 144 'EditorScreenshot.*DialogWithAPreview'
take_picture editor editor-150
take_picture display-options display-options-150
wait "$test_pid" || true
