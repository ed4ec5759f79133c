#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The house style of every source (clang-format), and static analysis of the
# library, the examples and the fuzz harnesses: clang-tidy with the checks of
# .clang-tidy (warnings are errors), clang's strict C99, and cppcheck.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash .ci/need clang clang-tidy cppcheck clang-format

# Every C and C++ source as .clang-format, the house style, writes it.
git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "clang-format: clean"

sources=(argops/*.cpp examples/*.cpp fuzz/*.cpp)
c_sources=(examples/*.c)
# Only the findings matter, not the count of system-header warnings.
tidy() { out=$(clang-tidy --quiet "$@" 2>&1) || { echo "$out"; exit 1; }; }
for f in "${sources[@]}"; do tidy "$f" -- -std=c++17 -Iargops -Itests; done
for f in "${c_sources[@]}"; do tidy "$f" -- -std=gnu99 -Iargops; done
echo "clang-tidy: clean"

# The build compiles the C sources with gcc; the header must hold for clang's
# strict C99 as well.
for f in "${c_sources[@]}" tests/c_calls.c; do
    clang -std=c99 -Wall -Wextra -pedantic -Werror -Iargops -Itests -fsyntax-only "$f"
done
echo "clang -std=c99 -pedantic: clean"

# Suppressed: useStlAlgorithm (a style choice, not a fault, in C-style code);
# in argops.cpp, constParameter (the scan functions share one signature) and
# unusedStructMember (cppcheck does not see argdScan call the row's scan).
cppcheck -q --error-exitcode=1 --std=c++17 --language=c++ --enable=warning,style,performance,portability \
    --suppress=useStlAlgorithm --suppress=constParameter:argops/argops.cpp \
    --suppress=unusedStructMember:argops/argops.cpp \
    -I argops -I tests "${sources[@]}"
cppcheck -q --error-exitcode=1 --std=c99 --language=c --enable=warning,style,performance,portability \
    -I argops "${c_sources[@]}"
echo "cppcheck: clean"
