#!/bin/sh
# SPDX-License-Identifier: MIT
# Embeds argops (SOURCE, at COMMIT for FetchContent) into tests/install/parent
# the way HOW says, with CI=true set as hosted CI sets it, and checks that the
# parent builds and runs its program, that argops added no test and no
# -Werror, and that the parent's install and package hold only its program.
set -eu
here=$(dirname "$0")
how=$1 source=$2 commit=$3 example=$4 out=$5
rm -rf "$out"
export CI=true
fail() { echo "$*" >&2; exit 1; }

cmake -S "$here/parent" -B "$out" -DHOW="$how" -DARGOPS_SOURCE="$source" -DARGOPS_COMMIT="$commit" \
    -DSOURCE="$example" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build "$out" -j2 >/dev/null
got=$("$out/app" -v -n 4 a b)
[ "$got" = "passes 4, output out.txt, verbose 1, operands: a b" ] || fail "app printed: $got"

tests=$(cd "$out" && ctest -N | tail -1)
[ "$tests" = "Total Tests: 0" ] || fail "argops added tests to the parent: $tests"
! grep -q -e '-Werror' "$out/compile_commands.json" || fail "argops builds with -Werror inside the parent"

cmake --install "$out" --prefix "$out/prefix" >/dev/null
installed=$(cd "$out/prefix" && find . ! -type d | sort)
[ "$installed" = "./bin/app" ] || fail "the parent's install holds: $installed"
(cd "$out" && cpack >/dev/null)
packaged=$(tar tzf "$out/parent.tar.gz" | grep -v '/$' | sort)
[ "$packaged" = "parent/bin/app" ] || fail "the parent's package holds: $packaged"
