#!/bin/sh
# Every shipped program must import only system DLLs (static C++ runtime).
set -eu
dir=$1
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll msvcrt.dll"
status=0
for exe in "$dir"/vistrell.exe "$dir"/vistedit.exe; do
    [ -f "$exe" ] || continue
    for dll in $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case " $allowed " in
            *" $dll "*) ;;
            *) echo "$exe imports $dll, which is not a system DLL"; status=1 ;;
        esac
    done
    echo "$(basename "$exe"): $(stat -c %s "$exe") bytes, imports only system DLLs"
done
exit $status
