#!/bin/sh
# Every shipped program must import only system DLLs (static C++ runtime) and
# stay within its size budget, on each architecture.
#   check-programs.sh BUILD_DIR OBJDUMP
set -eu
dir=$1
objdump=$2
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll ole32.dll msvcrt.dll"
status=0
for exe in "$dir"/vistrell.exe "$dir"/vistedit.exe; do
    [ -f "$exe" ] || continue
    case $(basename "$exe") in
        vistrell.exe) budget=32768 ;;
        vistedit.exe) budget=49152 ;;
    esac
    ok=1
    for dll in $("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case " $allowed " in
            *" $dll "*) ;;
            *) echo "$exe imports $dll, which is not a system DLL"; ok=0 ;;
        esac
    done
    size=$(stat -c %s "$exe")
    if [ "$size" -gt "$budget" ]; then
        echo "$exe: $size bytes, over its budget of $budget"
        ok=0
    fi
    if [ $ok -eq 1 ]; then
        echo "$exe: $size bytes (budget $budget), imports only system DLLs"
    else
        status=1
    fi
done
exit $status
