# SPDX-License-Identifier: MIT
# Cross build for s390x, big-endian, with g++-s390x-linux-gnu; qemu-s390x
# runs the tests.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(argops_triplet s390x-linux-gnu)
set(argops_qemu qemu-s390x)
set(argops_loader ld64.so.1)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
