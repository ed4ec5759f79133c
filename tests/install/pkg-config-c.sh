#!/bin/sh
# SPDX-License-Identifier: MIT
# A C program built the ways C programs are, with cc and pkg-config: against
# the shared library installed in PREFIX, and against a prefix of its own
# that holds only the archive (pkg-config --static), then run (prog.sh).
# Linked with the archive, a C program that calls every operation C has
# needs nothing of the C++ runtime, neither to link nor to run.
set -eu
build=$1 prefix=$2 libdir=$3 source=$4 out=$5
fail() { echo "$*" >&2; exit 1; }
rm -rf "$out" && mkdir -p "$out"
PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
export PKG_CONFIG_PATH
cc -o "$out/prog" "$source" $(pkg-config --cflags --libs argops) -Wl,-rpath,"$(pkg-config --variable=libdir argops)"

cmake --install "$build" --prefix "$out/archive" >/dev/null
rm "$out/archive/$libdir"/libargops.so*
PKG_CONFIG_PATH=$out/archive/$libdir/pkgconfig
cc -o "$out/prog_static" "$source" $(pkg-config --static --cflags --libs argops)
sh "$(dirname "$0")/prog.sh" "$out"

cat >"$out/every.c" <<'END'
#include <getopt.h>
#include <argops.h>
static int f, i = 3;
static unsigned u;
static ArgDsc aDsc[] = {{'v', "verbose", '1', &f, 0}, {'n', "passes", 'u', &i, 0}, {'w', "width", 'U', &u, 0}, {0}};
static ArgLong aLong[] = {{'v', "verbose"}, {0}};
int main(int argc, char** argv)
{
    char szOpt[16];
    struct option aopt[2];
    argdInitOpt(szOpt, aDsc, -1);
    argdInitLong(szOpt, aopt, aDsc, aLong);
    argdShowHelp(aDsc, aLong, argv[0], "file ...", stdout);
    argdShowLongCompletion(aDsc, aLong, "prog", "fish", stdout);
    argdShowLongManual(aDsc, aLong, "prog", "file ...", stdout);
    argdScan('v', argv[0], aDsc, argv[0], 0, stdout);
    argdScanu(&aDsc[1], (char*)"5", argv[0], stdout);
    argdScanU(&aDsc[2], (char*)"x", argv[0], stdout);
    argdShowUsage(aDsc, argv[0], "file ...", stdout);
    argdShowCompletion(aDsc, "prog", "bash", stdout);
    argdShowManual(aDsc, "prog", "file ...", stdout);
    return argdRemoveArg(argv, 0, &argc) + f + i;
}
END
cc -o "$out/every" "$out/every.c" $(pkg-config --static --cflags --libs argops)
! readelf -d "$out/every" | grep -E 'NEEDED.*(libstdc\+\+|libgcc_s)' || fail "every needs the C++ runtime"
status=0
"$out/every" >"$out/every.txt" || status=$?
[ "$status" = 6 ] || fail "every ended with status $status, not 6"
grep -q '^complete -F _argops_prog' "$out/every.txt" || fail "every wrote no completion"
grep -q -- "-l 'verbose'" "$out/every.txt" || fail "every wrote no long names"
echo "every: all of C's operations from the archive, with the C library alone"
