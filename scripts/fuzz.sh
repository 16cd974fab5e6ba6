#!/bin/sh
# Runs every libFuzzer target for the given number of seconds on its seed
# corpus (tests/fuzz/corpus/<target>), keeping new inputs in the build tree.
set -u
native_dir=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
found=0
for target in "$native_dir"/fuzz_*; do
    [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    work="$native_dir/corpus/$name"
    mkdir -p "$work"
    seeds="$root/tests/fuzz/corpus/$name"
    [ -d "$seeds" ] || seeds=""
    echo "fuzzing $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -print_final_stats=0 "$work" $seeds \
         > "$native_dir/$name.log" 2>&1; then
        tail -40 "$native_dir/$name.log"
        status=1
    else
        grep -E '^Done|^#[0-9]+.*DONE' "$native_dir/$name.log" | tail -1
    fi
done
[ $found -eq 1 ] || echo "no fuzz targets built"
exit $status
