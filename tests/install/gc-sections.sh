#!/bin/sh
# SPDX-License-Identifier: MIT
# Links the tool of gc/tool.cpp with the archive ARCHIVE (headers in INCLUDE)
# and --gc-sections, and fails unless the program keeps exactly the three
# operations it calls, and runs. Prints what argops adds to the text of the
# stripped program, against the same tool parsing by hand and the same tool
# with no option handling, all linked the same way, in OUT/text.txt too.
set -eu
archive=$1 include=$2 out=$3
src=$(dirname "$0")/gc/tool.cpp
fail() { echo "$*" >&2; exit 1; }
mkdir -p "$out"

build() { name=$1; shift; c++ -std=c++17 -O2 -o "$out/$name" "$src" -Wl,--gc-sections "$@"; }
build argops -DTOOL_ARGOPS -I"$include" "$archive"
build hand -DTOOL_HAND -s
build none -s
kept=$(nm -C --defined-only "$out/argops" | sed -n 's/^[0-9a-f]* [Tt] \(argd[A-Za-z]*\)(.*/\1/p' | sort -u | tr '\n' ' ')
[ "$kept" = "argdInitOpt argdScan argdShowUsage " ] || fail "linked with --gc-sections, the tool keeps: $kept"
got=$("$out/argops" -v -n 4)
[ "$got" = "passes 4, output out.txt, verbose 1" ] || fail "the tool printed: $got"

strip -o "$out/argops.stripped" "$out/argops"
text() { size -A "$1" | awk '$1 == ".text" { print $2 }'; }
t=$(text "$out/argops.stripped") hand=$(text "$out/hand") none=$(text "$out/none")
echo ".text of the stripped tool with --gc-sections: argops $t B, by hand $hand B, no options $none B;" \
    "argops adds $((t - hand)) B to the tool by hand, $((t - none)) B to the tool without options" | tee "$out/text.txt"
