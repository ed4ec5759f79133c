#!/bin/sh
# SPDX-License-Identifier: MIT
# A C program built the ways C programs are, with cc and pkg-config: against
# the shared library installed in PREFIX, and against a prefix of its own
# that holds only the archive (pkg-config --static), then run (prog.sh).
set -eu
build=$1 prefix=$2 libdir=$3 source=$4 out=$5
rm -rf "$out" && mkdir -p "$out"
PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
export PKG_CONFIG_PATH
cc -o "$out/prog" "$source" $(pkg-config --cflags --libs argops) -Wl,-rpath,"$(pkg-config --variable=libdir argops)"

cmake --install "$build" --prefix "$out/archive" >/dev/null
rm "$out/archive/$libdir"/libargops.so*
PKG_CONFIG_PATH=$out/archive/$libdir/pkgconfig
cc -o "$out/prog_static" "$source" $(pkg-config --static --cflags --libs argops)
sh "$(dirname "$0")/prog.sh" "$out"
