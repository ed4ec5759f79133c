# SPDX-License-Identifier: MIT
# What the toolchain files beside it share: Debian's cross compilers for
# argops_triplet, and the emulator that runs the tests' programs on this
# machine (-DCMAKE_CROSSCOMPILING_EMULATOR=... overrides it). The target's
# own loader starts each program, with the target's libraries from
# /usr/<triplet>/lib: where qemu-user 7.2 (Debian 12's) loads a dynamically
# linked program itself, through -L, a fork() hangs or crashes, and the death
# tests fork. argops_qemu is the qemu that runs the loader, or
# nothing where this machine runs the target's programs itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${argops_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${argops_triplet}-g++)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${argops_qemu} /usr/${argops_triplet}/lib/${argops_loader}
        --library-path /usr/${argops_triplet}/lib)
endif()
