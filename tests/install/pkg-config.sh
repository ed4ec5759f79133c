# SPDX-License-Identifier: MIT
# Builds and runs the example program with a plain compiler command, finding
# the installed argops through its pkg-config file in PCDIR.
set -eu
pcdir=$1 source=$2 out=$3
export PKG_CONFIG_PATH="$pcdir"
mkdir -p "$out"
c++ -std=c++17 -o "$out/prog" "$source" $(pkg-config --cflags --libs argops) \
    -Wl,-rpath,"$(pkg-config --variable=libdir argops)"
got=$("$out/prog" -v -n 4 a b)
test "$got" = "passes 4, output out.txt, verbose 1, operands: a b" || { echo "prog printed: $got" >&2; exit 1; }
