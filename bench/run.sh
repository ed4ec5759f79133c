#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The one command behind the figures of bench/README.md: installs what the
# benchmarks need (bench/setup.sh), builds them twice, with the project's
# Release flags ("bench" preset: -O3 and the library's hardening) and with
# Debian's hardened flags as debhelper hands them to CMake when it builds the
# package (build type None, ARGOPS_HARDEN=OFF, dpkg-buildflags' CPPFLAGS and
# CXXFLAGS in CXXFLAGS, CPPFLAGS and CFLAGS in CFLAGS, its LDFLAGS, with
# debian/rules' settings), and prints every figure of both side by side
# against its baseline.
# Extra arguments go to bench/measure.py (--quick: one brief pass).
set -euo pipefail
cd "$(dirname "$0")/.."

bash bench/setup.sh
log=$(mktemp)
trap 'rm -f "$log"' EXIT
build() {
    if ! "$@" >"$log" 2>&1; then
        cat "$log"
        exit 1
    fi
}
build cmake --workflow --preset bench

# The package's own settings for dpkg-buildflags, as debian/rules exports
# them once make has worked them out, so that this tree has exactly the flags
# of the library that Debian ships. The C programs of the whole-process table
# get the C++ programs' settings where debian/rules names none for C.
eval "$(make -s -f debian/rules --eval='deb-settings: ; @export -p | grep "^export DEB_[A-Z]*_MAINT_"' deb-settings)"
export DEB_CFLAGS_MAINT_APPEND="${DEB_CFLAGS_MAINT_APPEND-${DEB_CXXFLAGS_MAINT_APPEND:-}}"
# Given as cache entries, not in the environment, where CMake reads them only
# when the tree is first configured.
ldflags=$(dpkg-buildflags --get LDFLAGS)
build cmake -S . -B build/bench-debian -DCMAKE_BUILD_TYPE=None -DARGOPS_HARDEN=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
    -DARGOPS_BUILD_BENCH=ON -DARGOPS_BUILD_TESTS=OFF -DARGOPS_INSTALL=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
# The peers' command-line programs are measured in the Release tree only.
build cmake --build build/bench-debian -j2 --target argops ops_bench cl_getopt_bench cl_argops_bench whole_process

python3 bench/measure.py "$@" release=build/bench debian=build/bench-debian
