# SPDX-License-Identifier: MIT
# The hardening a distribution builds its libraries with, for builds that do
# not bring their own flags: canaries on the stack, checked string and memory
# calls, stack clash probes, branch protection (CET on x86, BTI and pointer
# authentication on arm64), and relocations bound at load time and then made
# read-only.
include(CheckCXXCompilerFlag)

# Not every target has every protection: -fcf-protection is x86's alone, and
# a cross compiler for Arm or s390x stops at it. So each flag is asked of the
# compiler, with -Werror: a compiler that only warns about a flag would not
# apply it either.
function(argops_harden target)
    set(CMAKE_REQUIRED_FLAGS -Werror)
    set(CMAKE_REQUIRED_QUIET ON)
    foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection -mbranch-protection=standard)
        # Lower case: the parent project of a guest build finds no ARGOPS_
        # entry of argops's own in its cache.
        string(MAKE_C_IDENTIFIER "argops_cxx${flag}" accepted)
        string(TOLOWER "${accepted}" accepted)
        check_cxx_compiler_flag(${flag} ${accepted})
        if(${accepted})
            target_compile_options(${target} PRIVATE ${flag})
        endif()
    endforeach()
    # glibc warns that fortification needs optimisation: give it only there.
    target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now)
endfunction()
