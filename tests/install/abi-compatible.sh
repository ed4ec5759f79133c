#!/bin/sh
# SPDX-License-Identifier: MIT
# The ABI of LIB against the description of the release in commit COMMIT
# of SOURCE: abidiff may report additions, never a change that breaks a
# program built against that release.
set -u
source=$1 commit=$2 lib=$3 out=$4
mkdir -p "$out"
git -C "$source" show "$commit:abi/libargops.so.1.abi" >"$out/release.abi" ||
    { echo "the release $commit is not in the history of $source" >&2; exit 1; }
abidiff "$out/release.abi" "$lib" >"$out/report"
status=$?
cat "$out/report"
# abidiff's status: bit 1 an error, bit 2 misuse, bit 4 a change, bit 8 one that breaks.
[ $((status & 11)) -eq 0 ] || { echo "abidiff: status $status" >&2; exit 1; }
grep -q 'Removed\|Changed' "$out/report" && grep -E '^Functions changes summary: [1-9]|[1-9][0-9]* Removed|[1-9][0-9]* Changed' "$out/report" &&
    { echo "functions removed or changed since $commit" >&2; exit 1; }
exit 0
