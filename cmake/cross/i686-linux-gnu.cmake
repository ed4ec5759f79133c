# SPDX-License-Identifier: MIT
# Cross build for i386 with g++-i686-linux-gnu. An x86-64 kernel runs i386
# programs itself, about nine times as fast as qemu-i386 does: the target's
# loader alone starts them.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(argops_triplet i686-linux-gnu)
set(argops_qemu "")
set(argops_loader ld-linux.so.2)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
