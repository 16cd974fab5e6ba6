#!/bin/sh
# check-programs.sh against made-up programs in a folder of their own: one
# carrying a manifest that asks for an execution level must be refused, one
# whose manifest asks for nothing, and one over its budget, are told apart.
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
manifest='<assembly><trustInfo><security><requestedPrivileges><requestedExecutionLevel level="asInvoker"/></requestedPrivileges></security></trustInfo></assembly>'

program vistrell.exe "$manifest"
program vistedit.exe '<assembly><dependency/></assembly>'
out=$(sh "$check" "$dir" true 2>&1) && { echo "a manifest with an execution level was let through"; status=1; }
echo "$out" | grep -q 'vistrell.exe carries a manifest with requestedExecutionLevel' ||
    { echo "not told: $out"; status=1; }
echo "$out" | grep -q 'vistedit.exe: [0-9]* bytes, [0-9]* bytes under its budget of 81920' ||
    { echo "the program without one was not passed: $out"; status=1; }

program vistrell.exe ''
head -c 65537 /dev/zero >> "$dir/vistrell.exe"
out=$(sh "$check" "$dir" true 2>&1) && { echo "a program over its budget was let through"; status=1; }
echo "$out" | grep -q 'vistrell.exe: [0-9]* bytes, over its budget of 65536' || { echo "not told: $out"; status=1; }
exit $status
