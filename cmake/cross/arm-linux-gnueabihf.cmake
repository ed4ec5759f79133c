# SPDX-License-Identifier: MIT
# Cross build for armhf with g++-arm-linux-gnueabihf; qemu-arm runs the tests.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(argops_triplet arm-linux-gnueabihf)
set(argops_qemu qemu-arm)
set(argops_loader ld-linux-armhf.so.3)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
