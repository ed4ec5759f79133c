#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs argops into a scratch prefix and uses it as its users do (CMake
# package, pkg-config, man, an archive linked with --gc-sections), embeds it
# in CMake and Meson parent projects, lints the manual pages and holds the
# ABI to abi/: the tests of tests/install.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash .ci/need abigail-tools mandoc man-db groff-base pkg-config binutils git meson ninja-build

build=build/install
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DARGOPS_WERROR=ON \
    -DARGOPS_BUILD_TESTS=OFF -DARGOPS_INSTALL_TESTS=ON
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2
cat "$build/tests/install/gc-sections/text.txt"
