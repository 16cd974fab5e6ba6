# Sourced by install-deps.sh and wine-env.sh: whether this host's kernel
# executes 32-bit x86 code at all. Many cloud machines have IA-32 emulation
# off; every i386 binary (Wine's 32-bit loader included) then fails with
# "Exec format error". HOST_RUNS_I686=0 makes a host behave as one that
# cannot, HOST_RUNS_I686=1 as one that can; unset, a 93-byte i386 program
# that only exits is tried.
host_execs_i386() {
    case "${HOST_RUNS_I686:-}" in
        0) return 1 ;;
        1) return 0 ;;
    esac
    probe=$(mktemp)
    printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' > "$probe"
    chmod +x "$probe"
    # The kernel refuses a format it does not know with "Exec format
    # error"; anything else (it ran, or a temporary folder that allows no
    # programs at all) does not tell that it cannot.
    said=$("$probe" 2>&1) || true
    rm -f "$probe"
    case "$said" in
        *"format error"*) return 1 ;;
    esac
    return 0
}
