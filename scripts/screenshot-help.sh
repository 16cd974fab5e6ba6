#!/bin/sh
# Takes the pictures of Help in docs/: the changer's Help command opening the
# manual in the WinHelp viewer, and, with WINHELP.EXE taken out of the
# prefix as on 64-bit Windows, in the HTML Help viewer. Needs the cross build:
#   make win && sh scripts/screenshot-help.sh build/win32 [OUT_DIR]
# (build/win64 on a host that executes only 64-bit code, where Wine's WinHelp
# viewer cannot run: only the HTML Help picture is taken there).
set -eu
win_dir=$(cd "$1" && pwd)
out_dir=${2:-$win_dir/screenshots}
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)
. "$(dirname "$0")/wine-env.sh"
wine_select_build "$win_dir" "$win_dir/wine-shot"
if host_runs_i686; then export VISTRELL_HOST_RUNS_I686=1; else export VISTRELL_HOST_RUNS_I686=0; fi
trap wine_cleanup EXIT INT TERM
wine_start

drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c/shot"

viewers="htmlhelp"
[ "$VISTRELL_HOST_RUNS_I686" = 1 ] && viewers="winhelp htmlhelp"
for viewer in $viewers; do
    rm -f "$drive_c/shot/ready" "$drive_c/shot/done"
    SCREENSHOT_EXCHANGE='C:\shot' SCREENSHOT_VIEWER=$viewer wine "$win_dir/e2etests.exe" \
        --gtest_also_run_disabled_tests --gtest_filter='Help.DISABLED_ViewerForTheScreenshot' \
        --gtest_color=no > "$out_dir/screenshot-help-$viewer.log" 2>&1 &
    test_pid=$!
    i=0
    while [ ! -s "$drive_c/shot/ready" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
    if [ ! -s "$drive_c/shot/ready" ]; then
        echo "the viewer did not come up; see $out_dir/screenshot-help-$viewer.log" >&2
        exit 1
    fi
    import -window root "$out_dir/help-$viewer.png"
    touch "$drive_c/shot/done"
    wait "$test_pid" || true
    echo "screenshot: $out_dir/help-$viewer.png"
done
