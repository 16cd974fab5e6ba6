#!/bin/sh
# The MSI and the zip of a release must hold the same files, and exactly the
# files users are promised; prints both lists.
#   check-dist.sh DIST_DIR
set -eu
dist=$1
expected="LICENSE.TXT README.TXT VISTRELL.CHM VISTRELL.HLP vistedit.exe vistrell.exe"
status=0
for msi in "$dist"/vistrell-*-win32.msi; do
    zip="${msi%.msi}.zip"
    # The File table: three header lines, then File, Component_, FileName...
    in_msi=$(msiinfo export "$msi" File | tail -n +4 | cut -f3 | sort | tr '\n' ' ' | sed 's/ $//')
    in_zip=$(unzip -Z1 "$zip" | grep -v '/$' | sed 's|^Vistrell/||' | sort | tr '\n' ' ' | sed 's/ $//')
    echo "$(basename "$msi"): $in_msi"
    echo "$(basename "$zip"): $in_zip"
    want=$(echo "$expected" | tr ' ' '\n' | sort | tr '\n' ' ' | sed 's/ $//')
    if [ "$in_msi" != "$want" ] || [ "$in_zip" != "$want" ]; then
        echo "the packages must hold exactly: $want" >&2
        status=1
    fi
done
exit $status
