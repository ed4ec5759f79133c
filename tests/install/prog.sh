#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the example program built in DIR against the shared library (prog) and
# against the archive (prog_static): both must print the same line, and only
# prog may need libargops.so. Each program's line is printed once it passed.
set -eu
dir=$1
fail() { echo "$*" >&2; exit 1; }

# PROGRAM, and how many times its dynamic section names libargops.so.
check() {
    needs=$(readelf -d "$dir/$1" | grep -c 'NEEDED.*\[libargops\.so' || true)
    [ "$needs" = "$2" ] || fail "$1 needs libargops.so $needs times, not $2"
    got=$("$dir/$1" -v -n 4 a b)
    [ "$got" = "passes 4, output out.txt, verbose 1, operands: a b" ] || fail "$1 printed: $got"
    echo "$1: $got"
}
check prog 1
check prog_static 0
