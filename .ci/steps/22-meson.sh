#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds argops with Meson as well as with CMake, both for release into the
# same prefix, and holds the two to one library: the same version, exports,
# SONAME, dynamic section, imports (the hardening's among them), assertion
# file name and per-function sections of the archive, and the same installed
# files but CMake's package, byte for byte where they are not compiled. Then
# builds pkg-config consumers against Meson's install, shared and static.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash .ci/need meson ninja-build binutils pkg-config python3

fail() { echo "$*" >&2; exit 1; }
out=$PWD/build/meson-cmake
rm -rf "$out"
prefix=$out/prefix
cmake -S . -B "$out/cmake" -DCMAKE_BUILD_TYPE=Release -DARGOPS_WERROR=ON -DARGOPS_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
cmake --build "$out/cmake" -j2 >/dev/null
DESTDIR="$out/cmake-root" cmake --install "$out/cmake" >/dev/null
meson setup "$out/meson" --buildtype=release --werror --fatal-meson-warnings --prefix="$prefix" --libdir=lib >/dev/null
meson compile -C "$out/meson" -j 2 >/dev/null
meson install -C "$out/meson" --no-rebuild >/dev/null
cmake_root=$out/cmake-root$prefix

# Each check prints the same text for the install of both builds.
same() {
    local what=$1
    shift
    local a b
    a=$("$@" "$cmake_root") b=$("$@" "$prefix")
    [ -n "$a" ] || fail "$what: nothing from the CMake build"
    [ "$a" = "$b" ] || fail "$what differs: CMake's
$a
Meson's
$b"
    echo "same $what: $(head -1 <<<"$a")$([ "$(wc -l <<<"$a")" -gt 1 ] && echo ", ...")"
}
lib() { readlink -f "$1/lib/libargops.so"; }
exports() { nm -D --defined-only "$(lib "$1")" | awk '{ print $2, $3 }'; }
imports() { nm -D --undefined-only "$(lib "$1")" | awk '{ print $NF }'; }
dynamic() { readelf -d "$(lib "$1")" | awk '/\((NEEDED|SONAME|FLAGS|FLAGS_1|BIND_NOW)\)/ { $1 = ""; print }'; }
segments() { readelf -lW "$(lib "$1")" | awk '/^  [A-Z_]+ / { print $1, $NF }'; }
asserts() { readelf -p .rodata "$(lib "$1")" | sed -n 's/^ *\[ *[0-9a-f]*\]  \(.*argops\.cpp\)$/\1/p'; }
archive() { nm --defined-only -g "$1/lib/libargops.a" | awk 'NF == 3 { print $2, $3 }' | sort; }
sections() { readelf -SW "$1/lib/libargops.a" | sed -n 's/.* \(\.text\.[^ ]*\) .*/\1/p' | sort; }
files() { (cd "$1" && find . -path ./lib/cmake -prune -o -printf '%y %p %l\n' | sort); }
contents() { (cd "$1" && find . -path ./lib/cmake -prune -o -type f ! -name 'libargops.*' -print | sort | xargs sha256sum); }
version() {
    if [ "$1" = "$cmake_root" ]; then
        sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/cmake/CMakeCache.txt"
    else
        meson introspect --projectinfo "$out/meson" | python3 -c 'import json, sys; print(json.load(sys.stdin)["version"])'
    fi
}

same "version" version
same "exports" exports
same "SONAME, needed libraries and binding" dynamic
same "imports" imports
same "segments" segments
same "assertion file name" asserts
[ "$(asserts "$prefix")" = "argops/argops.cpp" ] || fail "the assertions name $(asserts "$prefix")"
same "archive's symbols" archive
same "archive's function sections" sections
same "installed files, but CMake's package" files
same "headers, pkg-config file and manual pages, byte for byte" contents
echo "stripped libargops.so: CMake $(strip -o "$out/c.so" "$(lib "$cmake_root")" && stat -c %s "$out/c.so") B," \
    "Meson $(strip -o "$out/m.so" "$(lib "$prefix")" && stat -c %s "$out/m.so") B"

sh tests/install/pkg-config.sh "$prefix/lib/pkgconfig" examples/quickstart.cpp "$out/pkg-config"
