#!/bin/sh
# The whole test run: native unit tests, brief fuzzing, then the Windows-side
# and end-to-end tests under Wine on every architecture the host can run.
# Prints one closing count over everything that ran.
set -u
native_dir=$1
build_root=$2
status=0
# Each phase says how long it took, so that a slow one shows in CI's log.
phase_start=$(date +%s)
phase_took() {
    now=$(date +%s)
    echo "($1 took $((now - phase_start)) s)"
    phase_start=$now
}

echo "== native unit tests"
(cd "$native_dir" && ctest --output-on-failure -j "$(nproc)") > "$native_dir/unit.log" 2>&1 || status=1
cat "$native_dir/unit.log"
phase_took "native unit tests"

echo "== fuzz targets (brief)"
sh "$(dirname "$0")/fuzz.sh" "$native_dir" 15 || status=1
phase_took "fuzzing"

rm -f "$build_root/wine-counts" "$build_root/wine-failed" "$build_root/bench/counts" "$build_root"/win*/bench/outcome
# The bench's smoke run goes with the Wine rings, in their prefixes.
BENCH_SMOKE=1 sh "$(dirname "$0")/wine-tests.sh" "$build_root" || status=1
phase_took "Wine rings"

echo "== bench smoke run"
sh "$(dirname "$0")/bench.sh" --table "$build_root" quick || status=1

# ctest: "100% tests passed, 0 tests failed out of 57"
unit_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$native_dir/unit.log")
unit_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of.*/\1/p' "$native_dir/unit.log")
# The bench's smoke run counts one per architecture: "passed failed".
bench_passed=0 bench_failed=1
[ -f "$build_root/bench/counts" ] && read -r bench_passed bench_failed < "$build_root/bench/counts"
set -- 0 0 0
[ -f "$build_root/wine-counts" ] && set -- $(cat "$build_root/wine-counts")
passed=$(( ${unit_total:-0} - ${unit_failed:-0} + $1 + bench_passed ))
failed=$(( ${unit_failed:-0} + $2 + bench_failed ))
[ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
# CI shows only the end of the log, so the names of what failed come last.
if [ "$failed" -ne 0 ]; then
    echo "What failed:"
    sed -n '/tests FAILED:/,/^$/s/^[[:space:]]*[0-9]* - \([^ ]*\).*/  native: \1/p' "$native_dir/unit.log"
    for s in "$native_dir"/fuzz_*.status; do
        [ -f "$s" ] && [ "$(cat "$s")" != 0 ] && echo "  fuzz: $(basename "$s" .status)"
    done
    cat "$build_root/wine-failed" 2>/dev/null
    [ "$bench_failed" -ne 0 ] && echo "  bench smoke run"
fi
echo "Total: $passed passed, $failed failed, $3 skipped"
exit $status
