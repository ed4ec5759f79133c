#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The one command behind the figures of bench/README.md: installs what the
# benchmarks need (bench/setup.sh), builds them twice, with the project's
# Release flags ("bench" preset: -O3 and the library's hardening) and with
# Debian's hardened flags as debhelper hands them to CMake when it builds the
# package (build type None, ARGOPS_HARDEN=OFF, dpkg-buildflags' CPPFLAGS and
# CXXFLAGS in CXXFLAGS, its LDFLAGS, with debian/rules' settings), and
# prints every figure of both side by side as a ratio to its baseline.
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

# The package's own settings for dpkg-buildflags, read from debian/rules, so
# that this tree has exactly the flags of the library that Debian ships.
eval "$(sed -n 's/^export \(DEB_[A-Z_]*\) = \(.*\)/export \1="\2"/p' debian/rules)"
# Given as cache entries, not in the environment, where CMake reads them only
# when the tree is first configured.
ldflags=$(dpkg-buildflags --get LDFLAGS)
build cmake -S . -B build/bench-debian -DCMAKE_BUILD_TYPE=None -DARGOPS_HARDEN=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
    -DARGOPS_BUILD_BENCH=ON -DARGOPS_BUILD_TESTS=OFF -DARGOPS_INSTALL=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
# The peers' programs are measured in the Release tree only.
build cmake --build build/bench-debian -j2 --target argops ops_bench cl_getopt_bench cl_argops_bench \
    st_hand st_hand_empty st_argops st_argops_static

python3 bench/measure.py "$@" release=build/bench debian=build/bench-debian
