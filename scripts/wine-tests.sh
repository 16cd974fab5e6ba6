#!/bin/sh
# Runs the Windows-side tests and the end-to-end tests under Wine, in one
# fresh prefix for the whole run. Each suite's GoogleTest output goes to
# <suite>.log beside it.
set -u
win_dir=$(cd "$1" && pwd)
WINE_ROOT="$win_dir/wine"
. "$(dirname "$0")/wine-env.sh"
trap wine_cleanup EXIT INT TERM
wine_start

status=0
for suite in wintests e2etests; do
    [ -f "$win_dir/$suite.exe" ] || continue
    echo "== $suite (under Wine)"
    log="$win_dir/$suite.log"
    wine "$win_dir/$suite.exe" --gtest_color=no > "$log.raw" 2>&1
    rc=$?
    tr -d '\r' < "$log.raw" > "$log"
    rm -f "$log.raw"
    cat "$log"
    if [ $rc -ne 0 ] || ! grep -q '^\[  PASSED  \]' "$log"; then
        echo "$suite failed (exit code $rc)"
        status=1
    fi
done
exit $status
