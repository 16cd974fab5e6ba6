#!/bin/sh
# Measures what each program costs, as ratios to bare baselines measured in
# the same run, under Wine: on the x86_64 build always, on the i686 build
# wherever the host executes 32-bit code. Prints one table and writes it to
# BUILD/bench/results.md (BUILD/bench/quick.md for the smoke run).
#
#   bench.sh BUILD [quick]            a fresh prefix per architecture
#   bench.sh --in-prefix WIN_DIR MODE  in the prefix the caller has started
#   bench.sh --table BUILD MODE        the table of what the runs left
# MODE is "quick" (one repeat of a few samples, a smoke run) or "full".
set -u
scripts=$(cd "$(dirname "$0")" && pwd)
. "$scripts/wine-env.sh"

# Runs the driver of one build in the current prefix; its rows go to
# WIN_DIR/bench/rows.md, its outcome ("passed" or "failed") to
# WIN_DIR/bench/outcome.
run_driver() {
    win_dir=$1
    mode=$2
    log="$win_dir/bench/bench.log"
    rm -f "$win_dir/bench/rows.md" "$win_dir/bench/parts.md" "$win_dir/bench/notes.md" "$win_dir/bench/outcome"
    echo "== bench ($mode), $(basename "$win_dir") (under Wine)"
    args=""
    [ "$mode" = quick ] && args=quick
    # Other work on the host weighs on every time: the table says how much.
    cut -d' ' -f1 /proc/loadavg > "$win_dir/bench/load" 2>/dev/null
    wine "$win_dir/bench/benchrun.exe" $args > "$log.raw" 2>&1
    rc=$?
    tr -d '\r' < "$log.raw" > "$log"
    rm -f "$log.raw"
    cat "$log"
    $WINELOADER --version > "$win_dir/bench/wine-version" 2>/dev/null
    if [ $rc -eq 0 ] && [ -s "$win_dir/bench/rows.md" ]; then
        echo passed > "$win_dir/bench/outcome"
    else
        echo "bench failed (exit code $rc)"
        echo failed > "$win_dir/bench/outcome"
    fi
}

# One file of each architecture's run, x86_64 first.
cat_runs() {
    for dir in "$build/win64" "$build/win32"; do
        [ -f "$dir/bench/outcome" ] && [ -f "$dir/bench/$1" ] && cat "$dir/bench/$1"
    done
}

# Writes the table of both architectures and the counts of the runs
# ("passed failed") to BUILD/bench, and prints the table.
write_table() {
    build=$1
    mode=$2
    out="$build/bench"
    mkdir -p "$out"
    table="$out/results.md"
    [ "$mode" = quick ] && table="$out/quick.md"
    passed=0 failed=0 wine_version="" repeats="" loads=""
    for dir in "$build/win64" "$build/win32"; do
        [ -f "$dir/bench/outcome" ] || continue
        case $(cat "$dir/bench/outcome") in
            passed) passed=$((passed + 1)) ;;
            *) failed=$((failed + 1)) ;;
        esac
        [ -f "$dir/bench/wine-version" ] && wine_version=$(cat "$dir/bench/wine-version")
        repeats=$(sed -n 's/^bench on .*: \([0-9]*\) repeat.*/\1/p' "$dir/bench/bench.log")
        name=x86_64
        [ "$(basename "$dir")" = win32 ] && name=i686
        [ -s "$dir/bench/load" ] && loads="$loads${loads:+, }$name $(cat "$dir/bench/load")"
    done
    {
        if [ "$mode" = quick ]; then
            echo "Smoke run (\`make bench QUICK=1\`): one repeat of a few samples, targets not judged."
        else
            echo "\`make bench\`, $(date -u '+%Y-%m-%d %H:%M') UTC, ${wine_version:-Wine}, $(nproc) cores, load"
            echo "average at the start of each architecture's run: ${loads:-unknown};"
            echo "${repeats:-?} repeats per figure (sizes: read once). Ours and Baseline are medians over the repeats; the"
            echo "ratio is ours / baseline within each repeat: its median, then its lowest and highest."
        fi
        echo
        echo "| Figure | Arch | Ours | Baseline | Ratio | Spread (min–max) | Target | Verdict |"
        echo "|---|---|---:|---:|---:|---:|---:|---|"
        cat_runs rows.md
        echo
        echo "Parts, measured in the same run to show where the time goes: two more programs started, and the"
        echo "settings calls that a change or the editor's start makes, timed as bare calls between the changes"
        echo "and between the starts:"
        echo
        echo "| Part | Arch | Median | Spread (min–max) |"
        echo "|---|---|---:|---:|"
        cat_runs parts.md
        if [ -n "$(cat_runs notes.md)" ]; then
            echo
            echo "Figures that miss their target:"
            echo
            cat_runs notes.md
        fi
    } > "$table"
    echo "== bench table ($table)"
    cat "$table"
    echo "$passed $failed" > "$out/counts"
    [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
}

case "${1:-}" in
    --in-prefix)
        run_driver "$2" "$3"
        [ "$(cat "$2/bench/outcome")" = passed ]
        exit $?
        ;;
    --table)
        write_table "$2" "$3"
        exit $?
        ;;
esac

build=$(cd "$1" && pwd)
mode=${2:-full}
for arch in win64 win32; do
    case $arch in
        win64) dir="$build/win64" ;;
        win32) dir="$build/win32" ;;
    esac
    rm -f "$dir/bench/outcome"
    if [ "$arch" = win32 ] && ! host_runs_i686; then
        echo "i686: left out, $I686_SKIP_REASON"
        continue
    fi
    (
        wine_select "$arch" "$dir/wine-bench"
        trap wine_cleanup EXIT INT TERM
        wine_start
        run_driver "$dir" "$mode"
    )
done
write_table "$build" "$mode"
