#!/bin/sh
# SPDX-License-Identifier: MIT
# A program built against libargops.so.1 of release 1.0.0 (commit COMMIT of
# SOURCE) must run alike against LIB, this build's library: the same
# output, the same reports, the same exit statuses.
set -eu
source=$1 commit=$2 lib=$3 out=$4
fail() { echo "$*" >&2; exit 1; }
rm -rf "$out" && mkdir -p "$out/src" "$out/1.0" "$out/new"
git -C "$source" archive "$commit" argops examples/quickstart.cpp | tar -x -C "$out/src" ||
    fail "release 1.0.0 ($commit) is not in the history of $source"
c++ -std=c++14 -shared -fPIC -o "$out/1.0/libargops.so.1" -Wl,-soname,libargops.so.1 \
    -Wl,--version-script="$out/src/argops/argops.map" "$out/src/argops/argops.cpp"
c++ -std=c++17 -o "$out/prog" "$out/src/examples/quickstart.cpp" -I"$out/src/argops" -L"$out/1.0" -l:libargops.so.1
cp "$lib" "$out/new/libargops.so.1"
# What prog writes and its status, against the library in DIR.
run() { (LD_LIBRARY_PATH=$1 "$out/prog" $2 2>&1; echo "status $?") || true; }
for args in "-v -n 4 a b" "-n 12 a" "-n 1x" "-h" "-o"; do
    old=$(run "$out/1.0" "$args")
    new=$(run "$out/new" "$args")
    [ "$old" = "$new" ] || fail "prog $args: against 1.0.0:
$old
against this build:
$new"
    echo "prog $args: as against 1.0.0 ($(echo "$new" | tail -1))"
done
