# SPDX-License-Identifier: MIT
# The checking builds: libFuzzer harnesses (fuzz/) and the coverage report of
# the library's sources. The presets asan, coverage and fuzz switch them on; a
# guest defines neither option unless its parent set it.
if(argops_top_level)
    option(ARGOPS_FUZZ "Build the libFuzzer harnesses and run them briefly as tests (clang)" OFF)
    option(ARGOPS_COVERAGE "Add the target argops_coverage (needs clang's -fprofile-instr-generate)" OFF)
endif()
if(argops_top_level OR ARGOPS_FUZZ)
    set(ARGOPS_FUZZ_SECONDS 30 CACHE STRING "How long each fuzz test runs")
endif()

if(ARGOPS_FUZZ)
    enable_testing()
    add_subdirectory(fuzz)
endif()

if(ARGOPS_COVERAGE)
    # The tools must match the compiler's profile format: look beside it first.
    get_filename_component(llvm_bin ${CMAKE_CXX_COMPILER} REALPATH)
    get_filename_component(llvm_bin ${llvm_bin} DIRECTORY)
    find_program(LLVM_PROFDATA llvm-profdata HINTS ${llvm_bin} REQUIRED)
    find_program(LLVM_COV llvm-cov HINTS ${llvm_bin} REQUIRED)
    set(profiles ${CMAKE_BINARY_DIR}/profiles)
    list(JOIN argops_sources " " sources_words)
    add_custom_target(argops_coverage
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${profiles}
        COMMAND ${CMAKE_COMMAND} -E env LLVM_PROFILE_FILE=${profiles}/%p.profraw
                ${CMAKE_CTEST_COMMAND} --test-dir ${CMAKE_BINARY_DIR} -j2 --output-on-failure
        COMMAND sh -c "${LLVM_PROFDATA} merge -o ${profiles}/all.profdata ${profiles}/*.profraw"
        COMMAND ${LLVM_COV} report $<TARGET_FILE:argops> -instr-profile=${profiles}/all.profdata
                ${argops_sources}
        COMMAND ${CMAKE_COMMAND} -E echo "Lines and branches not executed:"
        COMMAND sh -c "${LLVM_COV} show $<TARGET_FILE:argops> -instr-profile=${profiles}/all.profdata -show-branches=count ${sources_words} | grep -E '^ *[0-9]+\\| +0\\||(True|False): 0[],]' || true"
        COMMENT "Line and branch coverage of the library's sources"
        VERBATIM)
endif()
