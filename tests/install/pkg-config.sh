# SPDX-License-Identifier: MIT
# Builds the example program with a plain compiler command, finding the
# installed argops through its pkg-config file in PCDIR: once against the
# shared library, once against the archive, then runs both (prog.sh).
set -eu
pcdir=$1 source=$2 out=$3
export PKG_CONFIG_PATH="$pcdir"
mkdir -p "$out"
c++ -std=c++17 -o "$out/prog" "$source" $(pkg-config --cflags --libs argops) \
    -Wl,-rpath,"$(pkg-config --variable=libdir argops)"
c++ -std=c++17 -o "$out/prog_static" "$source" $(pkg-config --cflags argops) \
    -Wl,-Bstatic $(pkg-config --libs argops) -Wl,-Bdynamic
sh "$(dirname "$0")/prog.sh" "$out"
