#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Memory and undefined-behaviour checks: every test under AddressSanitizer and
# UndefinedBehaviorSanitizer (preset asan), then the unit tests and the demo
# program under valgrind's memcheck. The death tests stay out of valgrind:
# they end in an assertion on purpose, in a forked child.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash .ci/need valgrind

cmake --preset asan -DARGOPS_WERROR=ON >/dev/null
cmake --workflow --preset asan

cmake --preset default >/dev/null
cmake --build --preset default --parallel 2 >/dev/null
memcheck=(valgrind -q --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect)
"${memcheck[@]}" build/default/tests/argops_tests --gtest_filter='-*DeathTest*' --gtest_brief=1
"${memcheck[@]}" build/default/examples/demo -vq -n 5 -k 0x20 -o out.txt -B true -r 2.5 -t 86400 -x e f1 >/dev/null
echo "valgrind memcheck: no error, no leak"
