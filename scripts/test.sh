#!/bin/sh
# The whole test run: native unit tests, brief fuzzing, then the Windows-side
# and end-to-end tests under Wine. Prints one closing count over all rings.
set -u
native_dir=$1
win_dir=$2
status=0

echo "== native unit tests"
(cd "$native_dir" && ctest --output-on-failure -j "$(nproc)") > "$native_dir/unit.log" 2>&1 || status=1
cat "$native_dir/unit.log"

echo "== fuzz targets (brief)"
sh "$(dirname "$0")/fuzz.sh" "$native_dir" 15 || status=1

sh "$(dirname "$0")/wine-tests.sh" "$win_dir" || status=1

# ctest: "100% tests passed, 0 tests failed out of 57"; GoogleTest: "[  PASSED  ] 40 tests."
unit_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$native_dir/unit.log")
unit_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of.*/\1/p' "$native_dir/unit.log")
wine_passed=0
wine_failed=0
wine_skipped=0
for log in "$win_dir"/wintests.log "$win_dir"/e2etests.log; do
    [ -f "$log" ] || continue
    p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log")
    f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$log")
    k=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$log")
    wine_passed=$((wine_passed + ${p:-0}))
    wine_skipped=$((wine_skipped + ${k:-0}))
    wine_failed=$((wine_failed + ${f:-0}))
done
passed=$(( ${unit_total:-0} - ${unit_failed:-0} + wine_passed ))
failed=$(( ${unit_failed:-0} + wine_failed ))
[ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
echo "Total: $passed passed, $failed failed, $wine_skipped skipped"
exit $status
