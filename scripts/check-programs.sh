#!/bin/sh
# Every shipped program must import only system DLLs (static C++ runtime),
# carry a manifest of common controls 6 and per-monitor DPI awareness that
# asks for no execution level, and stay within its size budget, on each
# architecture. Prints each program's headroom.
#   check-programs.sh BUILD_DIR OBJDUMP
set -eu
dir=$1
objdump=$2
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll ole32.dll msvcrt.dll"
status=0
for exe in "$dir"/vistrell.exe "$dir"/vistedit.exe; do
    [ -f "$exe" ] || continue
    case $(basename "$exe") in
        vistrell.exe) budget=65536 ;;
        vistedit.exe) budget=81920 ;;
    esac
    ok=1
    for dll in $("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case " $allowed " in
            *" $dll "*) ;;
            *) echo "$exe imports $dll, which is not a system DLL"; ok=0 ;;
        esac
    done
    # A manifest that names an execution level turns off the virtual store
    # on Vista and later: every save to VISTRELL.INI in the Windows
    # directory would then fail. Manifests are stored as plain text.
    if LC_ALL=C grep -a -q requestedExecutionLevel "$exe"; then
        echo "$exe carries a manifest with requestedExecutionLevel: its settings could not be saved on Vista and later"
        ok=0
    fi
    # Its manifest: the common controls of visual styles, and awareness of
    # each monitor's display scale.
    for wanted in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' '<dpiAware[^>]*>true</dpiAware>' \
                  '<dpiAwareness[^>]*>PerMonitorV2, PerMonitor</dpiAwareness>'; do
        if ! LC_ALL=C grep -a -q "$wanted" "$exe"; then
            echo "$exe: its manifest lacks $wanted"
            ok=0
        fi
    done
    size=$(stat -c %s "$exe")
    if [ "$size" -gt "$budget" ]; then
        echo "$exe: $size bytes, over its budget of $budget"
        ok=0
    fi
    if [ $ok -eq 1 ]; then
        echo "$exe: $size bytes, $((budget - size)) bytes under its budget of $budget; imports only system DLLs"
    else
        status=1
    fi
done
exit $status
