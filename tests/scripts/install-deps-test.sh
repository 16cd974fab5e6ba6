#!/bin/sh
# install-deps.sh on a made-up fresh machine: stand-ins for dpkg, dpkg-query,
# apt-get and sudo on PATH, with nothing installed, no i386 architecture, an
# update that fails as an out-of-step i386 index makes it fail, and
# wine32:i386 uninstallable. Each case says what the host runs and which
# install fails; the script must go on past what is not fatal only.
#   install-deps-test.sh SOURCE_DIR
set -u
script="$1/scripts/install-deps.sh"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin"
stand_in() { printf '#!/bin/sh\n%s\n' "$2" > "$dir/bin/$1"; chmod +x "$dir/bin/$1"; }
stand_in dpkg-query 'if [ -n "$ONLY_WINE32" ] && [ "$3" != wine32:i386 ]; then echo "install ok installed"; exit 0; fi
exit 1'
stand_in sudo 'exec "$@"'
stand_in dpkg 'case $1 in --add-architecture) echo "add $2" >> "$LOG" ;; esac; exit 0'
stand_in apt-get 'echo "apt-get $*" >> "$LOG"
case "$*" in
    *update*) echo "E: File has unexpected size (1234 != 5678). Mirror sync in progress?" >&2; exit 100 ;;
    *wine32:i386*) exit 100 ;;
esac
[ -n "$MISSING" ] && case "$* " in *" $MISSING "*) exit 100 ;; esac
exit 0'

status=0
# what  HOST_RUNS_I686  MISSING  ONLY_WINE32  exit  log lines that must be there  ... that must not
while IFS='|' read -r what runs missing only want_exit want_lines unwanted; do
    log="$dir/log"
    : > "$log"
    out=$(WINE32_MARK="$dir/mark" LOG="$log" MISSING="$missing" ONLY_WINE32="$only" HOST_RUNS_I686="$runs" \
          PATH="$dir/bin:$PATH" sh "$script" 2>&1)
    got=$?
    [ "$got" = "$want_exit" ] || { echo "$what: exit $got, not $want_exit: $out"; status=1; }
    # What apt-get and dpkg were asked, and what the script said; "_" in
    # a case stands for a blank.
    echo "$out" >> "$log"
    for line in $want_lines; do
        grep -q -- "$(echo "$line" | tr _ ' ')" "$log" || { echo "$what: no '$line' in: $(cat "$log")"; status=1; }
    done
    for line in $unwanted; do
        grep -q -- "$(echo "$line" | tr _ ' ')" "$log" && { echo "$what: '$line' should not be there: $(cat "$log")"; status=1; }
    done
done <<'CASES'
i386 host, broken index: the x86_64 set goes in, wine32 is told|1|||0|add_i386 Retries=3 install_-y wine64 wine32:i386 wine32:i386_cannot_be_installed|
the next make: wine32 is not tried again|1||1|0|could_not_be_installed_before|apt-get
64-bit host: no i386 at all|0|||0|install_-y wine64|add_i386 wine32:i386
a package that is really missing fails the install|0|wixl||100|install_-y|
CASES
exit $status
