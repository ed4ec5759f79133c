# SPDX-License-Identifier: MIT
# Cross build for arm64 with g++-aarch64-linux-gnu; qemu-aarch64 runs the tests.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(argops_triplet aarch64-linux-gnu)
set(argops_qemu qemu-aarch64)
set(argops_loader ld-linux-aarch64.so.1)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
