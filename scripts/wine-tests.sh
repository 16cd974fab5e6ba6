#!/bin/sh
# Runs the Windows-side tests, the end-to-end tests and the package tests
# under Wine for each architecture: x86_64 (BUILD/win64) always, i686
# (BUILD/win32) wherever the host executes 32-bit code. Each architecture
# gets a fresh prefix of its own kind for the first two, and another for the
# package tests, which install and remove the MSI of BUILD/dist. Each suite's
# GoogleTest output goes to <suite>.log beside it; one line per architecture
# says what ran, BUILD/wine-counts holds the sums ("passed failed
# skipped") for the closing line of the whole run, and BUILD/wine-failed
# names what failed, one per line.
#
# ARCHS='win64' runs one architecture only.
# SUITES='e2etests' (any of wintests-resident wintests-editor e2etests
# twomonitors pkgtests) runs only those suites; with GTEST_FILTER, only some
# of their tests.
#
# wine-tests.sh BUILD soak runs the long runs instead: the end-to-end tests of
# the ResidentSoak suite, the full-size ones (named DISABLED_) included, into
# soak.log, and prints the resident's figures per architecture.
set -u
root=$(cd "$1" && pwd)
mode=${2:-tests}
what="Windows-side, end-to-end and package"
if [ "$mode" = soak ]; then
    what=soak
    export GTEST_FILTER='ResidentSoak.*' GTEST_ALSO_RUN_DISABLED_TESTS=1
fi

# The log files of this mode's suites in one architecture's folder.
logs_in() {
    if [ "$mode" = soak ]; then
        echo "$1/soak.log"
    else
        echo "$1/wintests-resident.log $1/wintests-editor.log $1/e2etests.log $1/twomonitors.log $1/pkgtests.log"
    fi
}
scripts=$(cd "$(dirname "$0")" && pwd)
. "$scripts/wine-env.sh"

# Suites of one architecture in a fresh prefix, in a subshell so that the
# prefix, its server and X server are its own and are ended with it.
#   run_suites ARCH WIN_DIR PREFIX_ROOT SUITE...
run_suites() (
    arch=$1
    win_dir=$2
    wine_select "$arch" "$3"
    shift 3
    trap wine_cleanup EXIT INT TERM
    wine_start
    status=0
    for suite in "$@"; do
        if [ "$suite" = bench ]; then
            # The bench's smoke run; it keeps its own outcome.
            sh "$scripts/bench.sh" --in-prefix "$win_dir" quick
            continue
        fi
        [ -f "$win_dir/$suite.exe" ] || continue
        echo "== $suite, $arch (under Wine)"
        log="$win_dir/$suite.log"
        [ "$mode" = soak ] && log="$win_dir/soak.log"
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
)

# A suite name that is none of these would run nothing and pass.
for suite in ${SUITES:-}; do
    case $suite in
        wintests-resident | wintests-editor | e2etests | twomonitors | pkgtests) ;;
        *) echo "SUITES: no suite is called $suite (wintests-resident wintests-editor e2etests twomonitors pkgtests)" >&2
           exit 2 ;;
    esac
done

# The end-to-end tests of two real monitors: for each arrangement an X server
# with two monitors (scripts/two-monitor-x.sh) and a prefix without a virtual
# desktop, the TwoMonitors tests run with the arrangement's name. Needs Xorg
# and root; left out (and said so) where they are not.
#   run_two_monitors ARCH WIN_DIR
run_two_monitors() (
    arch=$1
    win_dir=$2
    log="$win_dir/twomonitors.log"
    rm -f "$log"
    if ! command -v Xorg >/dev/null 2>&1 || [ "$(id -u)" -ne 0 ]; then
        echo "== two monitors, $arch: left out (Xorg and root are needed)"
        return 0
    fi
    wine_select "$arch" "$win_dir/wine-monitors"
    xorg=""
    trap 'wineserver -k 2>/dev/null; [ -n "$xorg" ] && kill "$xorg" 2>/dev/null' EXIT INT TERM
    status=0
    first=1
    for arrangement in right left above portrait; do
        case $arrangement in
            portrait) side=right mode=768x1024 ;;
            *) side=$arrangement mode=800x600 ;;
        esac
        # A display number no other server uses; each architecture looks
        # from its own start, as both may run side by side.
        case $arch in win32) n=40 ;; *) n=20 ;; esac
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        xorg=$(sh "$scripts/two-monitor-x.sh" "$n" "$side" "$mode") || { status=1; continue; }
        export DISPLAY=":$n"
        if [ -n "$first" ]; then
            wine_start_plain
            first=""
        fi
        echo "== two monitors, $arch, second monitor $arrangement (under Wine, no virtual desktop)"
        VISTRELL_TWO_MONITORS=$arrangement wine "$win_dir/e2etests.exe" --gtest_color=no \
            --gtest_filter='TwoMonitors.*' > "$log.raw" 2>&1 || status=1
        tr -d '\r' < "$log.raw" | tee -a "$log"
        rm -f "$log.raw"
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
        kill "$xorg" 2>/dev/null
        xorg=""
    done
    exit $status
)

# The suites among those given that SUITES chooses (all when it is unset).
chosen() {
    for suite in "$@"; do
        case " ${SUITES:-$*} " in
            *" $suite "*) printf '%s ' "$suite" ;;
        esac
    done
}

# Sums the GoogleTest summaries of the logs in a folder: "passed failed skipped".
count_logs() {
    p=0 f=0 k=0
    for log in $(logs_in "$1"); do
        [ -f "$log" ] || continue
        # A log may hold several runs (one per arrangement of monitors).
        a=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | awk '{s += $1} END {print s + 0}')
        b=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$log" | awk '{s += $1} END {print s + 0}')
        c=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$log" | awk '{s += $1} END {print s + 0}')
        p=$((p + ${a:-0})) f=$((f + ${b:-0})) k=$((k + ${c:-0}))
    done
    echo "$p $f $k"
}

# What failed in the logs of a folder, one "  ARCH/SUITE: Test" per line; a
# suite that died before its summary is named as such.   failed_in DIR
failed_in() {
    for log in $(logs_in "$1"); do
        [ -f "$log" ] || continue
        suite_name="$(basename "$1")/$(basename "$log" .log)"
        sed -n "s|^\[  FAILED  \] \([A-Za-z_][^ ,]*\).*|  $suite_name: \1|p" "$log" | sort -u
        grep -q '^\[  PASSED  \]' "$log" || echo "  $suite_name: ended before its summary"
    done
}

# The 64-bit tests learn from this whether 32-bit programs (the packaged
# programs, Wine's WinHelp viewer) can run here.
if host_runs_i686; then
    export VISTRELL_HOST_RUNS_I686=1
else
    export VISTRELL_HOST_RUNS_I686=0
fi

# One architecture's suites, with what they print; its status is the exit
# code.   run_arch ARCH DIR
run_arch() {
    arch_status=0
    if [ "$mode" = soak ]; then
        run_suites "$1" "$2" "$2/wine" e2etests || arch_status=1
    else
        # With BENCH_SMOKE set the bench's smoke run shares the rings' prefix.
        rings=$(chosen wintests-resident wintests-editor e2etests)
        [ -n "$rings" ] && { run_suites "$1" "$2" "$2/wine" $rings ${BENCH_SMOKE:+bench} || arch_status=1; }
        [ -n "$(chosen twomonitors)" ] && { run_two_monitors "$1" "$2" || arch_status=1; }
        package=$(chosen pkgtests)
        [ -n "$package" ] && { run_suites "$1" "$2" "$2/wine-pkg" $package || arch_status=1; }
    fi
    return $arch_status
}

# The architectures this host runs, x86_64 first; ARCHS (win64, win32 or
# both) keeps only some of them.
archs=win64
if host_runs_i686; then
    archs="win64 win32"
fi
if [ -n "${ARCHS:-}" ]; then
    kept=""
    for arch in $archs; do
        case " $ARCHS " in *" $arch "*) kept="$kept $arch" ;; esac
    done
    archs=${kept# }
fi
# Both architectures run side by side unless WINE_RINGS_SERIAL is set (the
# soak always runs them one after another, so that each one's figures are
# its own): the rings spend most of their time waiting for windows and
# timers, so two at once take little longer than one. Each gets an X server
# of its own, so that neither sees the other's desktop, and its output is
# printed when both have ended.
parallel=""
if [ "$mode" != soak ] && [ -z "${WINE_RINGS_SERIAL:-}" ] && [ "$archs" = "win64 win32" ]; then
    parallel=1
    export FORCE_XVFB=1
fi

for arch in win64 win32; do
    rm -f $(logs_in "$root/$arch") "$root/$arch/rings.out" "$root/$arch/rings.status"
done
if [ -n "$parallel" ]; then
    echo "== x86_64 and i686 run side by side; the output of each follows when both have ended"
    for arch in $archs; do
        ( run_arch "$arch" "$root/$arch" > "$root/$arch/rings.out" 2>&1
          echo $? > "$root/$arch/rings.status" ) &
    done
    wait
    for arch in $archs; do
        cat "$root/$arch/rings.out"
    done
fi

status=0
passed=0 failed=0 skipped=0
summary=""
: > "$root/wine-failed"
for arch in win64 win32; do
    case $arch in
        win64) dir="$root/win64" name=x86_64 ;;
        win32) dir="$root/win32" name=i686 ;;
    esac
    if [ "$arch" = win32 ] && ! host_runs_i686; then
        summary="$summary
$name: left out, $I686_SKIP_REASON"
        continue
    fi
    case " $archs " in
        *" $arch "*) ;;
        *) summary="$summary
$name: left out, ARCHS=$ARCHS"
           continue ;;
    esac
    if [ -n "$parallel" ]; then
        arch_status=$(cat "$dir/rings.status" 2>/dev/null || echo 1)
    else
        arch_status=0
        run_arch "$arch" "$dir" || arch_status=1
    fi
    set -- $(count_logs "$dir")
    failed_in "$dir" >> "$root/wine-failed"
    # A suite that died before its summary counts as one failure.
    [ "$arch_status" -ne 0 ] && [ "$2" -eq 0 ] && set -- "$1" 1 "$3"
    [ "$arch_status" -ne 0 ] && status=1
    passed=$((passed + $1)) failed=$((failed + $2)) skipped=$((skipped + $3))
    summary="$summary
$name: $1 passed, $2 failed, $3 skipped ($what, $dir)"
    # The soak's figures: the resident's usage before and after, and the counts.
    [ "$mode" = soak ] && summary="$summary
$(grep -E '^(before|after):|timed changes|starts changed' "$dir/soak.log" | sed "s/^/  $name /")"
done
echo "== Wine rings by architecture$summary"
echo "$passed $failed $skipped" > "$root/wine-counts"
exit $status
