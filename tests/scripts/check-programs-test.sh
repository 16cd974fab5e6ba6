#!/bin/sh
# check-programs.sh against made-up programs in a folder of their own: one
# carrying a manifest that asks for an execution level must be refused, one
# without visual styles or DPI awareness too; one whose manifest has both
# and asks for nothing passes, and one over its budget is refused.
#   check-programs-test.sh SOURCE_DIR
set -u
check="$1/scripts/check-programs.sh"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
status=0
# The bytes of a program do not matter to the manifest check: the manifest
# is stored as plain text among them.
program() {
    printf 'MZ\000\000 a made-up program\n%s\n' "$2" > "$dir/$1"
}
sound='<assembly><dependency><dependentAssembly><assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"/></dependentAssembly></dependency><application><windowsSettings><dpiAware xmlns="a">true</dpiAware><dpiAwareness xmlns="b">PerMonitorV2, PerMonitor</dpiAwareness></windowsSettings></application></assembly>'
elevated=$(echo "$sound" | sed 's|</assembly>|<trustInfo><security><requestedPrivileges><requestedExecutionLevel level="asInvoker"/></requestedPrivileges></security></trustInfo></assembly>|')

program vistrell.exe "$elevated"
program vistedit.exe "$sound"
out=$(sh "$check" "$dir" true 2>&1) && { echo "a manifest with an execution level was let through"; status=1; }
echo "$out" | grep -q 'vistrell.exe carries a manifest with requestedExecutionLevel' ||
    { echo "not told: $out"; status=1; }
echo "$out" | grep -q 'vistedit.exe: [0-9]* bytes, [0-9]* bytes under its budget of 81920' ||
    { echo "the sound manifest was not passed: $out"; status=1; }

program vistedit.exe '<assembly><dependency/></assembly>'
out=$(sh "$check" "$dir" true 2>&1) && { echo "a program without visual styles or DPI awareness was let through"; status=1; }
echo "$out" | grep -q 'vistedit.exe: its manifest lacks name="Microsoft.Windows.Common-Controls"' ||
    { echo "not told: $out"; status=1; }
echo "$out" | grep -q 'vistedit.exe: its manifest lacks <dpiAwareness' || { echo "not told: $out"; status=1; }

program vistrell.exe "$sound"
head -c 65537 /dev/zero >> "$dir/vistrell.exe"
out=$(sh "$check" "$dir" true 2>&1) && { echo "a program over its budget was let through"; status=1; }
echo "$out" | grep -q 'vistrell.exe: [0-9]* bytes, over its budget of 65536' || { echo "not told: $out"; status=1; }
exit $status
