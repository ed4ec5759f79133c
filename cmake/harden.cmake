# SPDX-License-Identifier: MIT
# The hardening a distribution builds its libraries with, for builds that do
# not bring their own flags: canaries on the stack, checked string and memory
# calls, stack clash probes, CET branch protection, and relocations bound at
# load time and then made read-only.
function(argops_harden target)
    # glibc warns that fortification needs optimisation: give it only there.
    target_compile_options(${target} PRIVATE
        -fstack-protector-strong -fstack-clash-protection -fcf-protection
        $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now)
endfunction()
