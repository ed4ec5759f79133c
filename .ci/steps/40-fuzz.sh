#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Bounded libFuzzer runs (preset fuzz): each harness in fuzz/ fuzzes for
# ARGOPS_FUZZ_SECONDS (30 s) from its seed corpus, as a CTest test.
set -euo pipefail
cd "$(dirname "$0")/../.."

# clang and its libFuzzer and sanitizer runtimes.
bash .ci/need clang libclang-rt-14-dev

cmake --preset fuzz -DARGOPS_WERROR=ON >/dev/null
cmake --workflow --preset fuzz
# How many inputs each harness ran.
awk '/ Testing: /{name=$3} /^stat::number_of_executed_units/{print name ": " $2 " executions"}' \
    build/fuzz/Testing/Temporary/LastTest.log
