#!/bin/sh
# Runs every libFuzzer target for the given number of seconds on its seed
# corpus (tests/fuzz/corpus/<target>) and the hostile corpora that makecorpus
# writes into the build tree, keeping new inputs in the build tree. The
# targets run side by side: each one's time is wall time, so the whole run
# takes the given seconds however many targets there are.
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
    case $name in
        fuzz_bmpcheck) kind=bitmaps ;;
        fuzz_listsection|fuzz_sectionread) kind=settings ;;
        *) kind="" ;;
    esac
    if [ -n "$kind" ] && [ -x "$native_dir/makecorpus" ]; then
        generated="$native_dir/corpus-seeds/$name"
        mkdir -p "$generated"
        "$native_dir/makecorpus" "$kind" "$generated" > /dev/null || status=1
        seeds="$seeds $generated"
    fi
    echo "fuzzing $name for ${seconds}s"
    rm -f "$native_dir/$name.status"
    # Longer inputs are cut to 8 KiB: the settings corpus holds files of
    # hundreds of KiB, which would slow every run down to a crawl.
    ( "$target" -max_total_time="$seconds" -max_len=8192 -print_final_stats=0 "$work" $seeds \
          > "$native_dir/$name.log" 2>&1
      echo $? > "$native_dir/$name.status" ) &
done
wait
for target in "$native_dir"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    if [ "$(cat "$native_dir/$name.status" 2>/dev/null)" != 0 ]; then
        echo "$name failed:"
        tail -40 "$native_dir/$name.log"
        status=1
    else
        echo "$name: $(grep -E '^Done|^#[0-9]+.*DONE' "$native_dir/$name.log" | tail -1)"
    fi
done
[ $found -eq 1 ] || echo "no fuzz targets built"
exit $status
