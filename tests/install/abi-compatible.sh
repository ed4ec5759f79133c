#!/bin/sh
# SPDX-License-Identifier: MIT
# The ABI of LIB against the description of release 1.0.0 (commit COMMIT of
# SOURCE): abidiff may report additions, never a change that breaks a
# program built against 1.0.0.
set -u
source=$1 commit=$2 lib=$3 out=$4
mkdir -p "$out"
git -C "$source" show "$commit:abi/libargops.so.1.abi" >"$out/1.0.0.abi" ||
    { echo "release 1.0.0 ($commit) is not in the history of $source" >&2; exit 1; }
abidiff "$out/1.0.0.abi" "$lib" >"$out/report"
status=$?
cat "$out/report"
# abidiff's status: bit 1 an error, bit 2 misuse, bit 4 a change, bit 8 one that breaks.
[ $((status & 11)) -eq 0 ] || { echo "abidiff: status $status" >&2; exit 1; }
grep -q 'Removed\|Changed' "$out/report" && grep -E '^Functions changes summary: [1-9]|[1-9][0-9]* Removed|[1-9][0-9]* Changed' "$out/report" &&
    { echo "functions removed or changed since 1.0.0" >&2; exit 1; }
exit 0
