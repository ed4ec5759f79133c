#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# argops with another C++ library: clang with libc++, the library and every
# test, against a GoogleTest built from Debian's sources with the same
# library (the packaged one is libstdc++'s).
set -euo pipefail
cd "$(dirname "$0")/../.."

bash .ci/need clang libc++-14-dev libc++abi-14-dev googletest

libcxx=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-stdlib=libc++
    -DCMAKE_EXE_LINKER_FLAGS=-stdlib=libc++ -DCMAKE_SHARED_LINKER_FLAGS=-stdlib=libc++)
gtest=build/libcxx-gtest
cmake -S /usr/src/googletest -B "$gtest/build" -DCMAKE_BUILD_TYPE=Release "${libcxx[@]}" \
    -DCMAKE_INSTALL_PREFIX="$PWD/$gtest" >/dev/null
cmake --build "$gtest/build" -j2 >/dev/null
cmake --install "$gtest/build" >/dev/null

cmake -S . -B build/libcxx -DCMAKE_BUILD_TYPE=Release -DARGOPS_WERROR=ON "${libcxx[@]}" \
    -DCMAKE_PREFIX_PATH="$PWD/$gtest" >/dev/null
cmake --build build/libcxx -j2
! readelf -d build/libcxx/libargops.so | grep 'libstdc++' || { echo "libargops.so needs libstdc++"; exit 1; }
ctest --test-dir build/libcxx -j2 --output-on-failure
