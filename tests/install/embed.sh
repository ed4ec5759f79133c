#!/bin/sh
# SPDX-License-Identifier: MIT
# Embeds argops (SOURCE, at COMMIT for FetchContent) into tests/install/parent
# the way HOW says, with CI=true set as hosted CI sets it, and checks that the
# parent builds and runs its program, that argops added no test, no -Werror,
# no flags, no archive and no option of its own to the parent's cache, and
# that the parent's install and package hold only its program. With ASK set
# to "asks", the parent asks for the hardening and the archive, links the
# archive, and gets both.
set -eu
here=$(dirname "$0")
how=$1 source=$2 commit=$3 example=$4 out=$5 ask=${6:-}
rm -rf "$out"
export CI=true
fail() { echo "$*" >&2; exit 1; }

set --
[ "$how" = fetchcontent ] && set -- -DGUEST_COMMIT="$commit"
[ "$ask" = asks ] && set -- "$@" -DARGOPS_HARDEN=ON -DARGOPS_BUILD_STATIC=ON
cmake -S "$here/parent" -B "$out" -DHOW="$how" -DGUEST_SOURCE="$source" \
    -DSOURCE="$example" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "$@" >/dev/null
cmake --build "$out" -j2 >/dev/null
got=$("$out/app" -v -n 4 a b)
[ "$got" = "passes 4, output out.txt, verbose 1, operands: a b" ] || fail "app printed: $got"

tests=$(cd "$out" && ctest -N | tail -1)
[ "$tests" = "Total Tests: 0" ] || fail "argops added tests to the parent: $tests"
! grep -q -e '-Werror' "$out/compile_commands.json" || fail "argops builds with -Werror inside the parent"

# What argops compiles itself with, and what it defined in the parent's cache.
commands=$(grep '"command":.*argops/argops\.cpp' "$out/compile_commands.json")
[ -n "$commands" ] || fail "no compile command for argops/argops.cpp in $out/compile_commands.json"
options=$(sed -n 's/^\(ARGOPS_[A-Z_]*\):.*/\1/p' "$out/CMakeCache.txt" | sort | tr '\n' ' ')
lib=$(find "$out" -name libargops.so.1 | head -1)
[ -n "$lib" ] || fail "no libargops.so.1 in $out"
readelf -d "$lib" | grep -q 'SONAME.*\[libargops\.so\.1\]' || fail "$lib lacks the SONAME libargops.so.1"
archive=$(find "$out" -name 'libargops*.a')
if [ "$ask" = asks ]; then
    for flag in -fstack-protector-strong -fstack-clash-protection -fcf-protection; do
        [ "$(printf '%s\n' "$commands" | grep -c -e "$flag")" = 2 ] ||
            fail "argops's two libraries lack $flag, which the parent asked for"
    done
    printf '%s\n' "$commands" | grep -q -e '-ffunction-sections' || fail "the archive lacks -ffunction-sections"
    readelf -d "$lib" | grep -q BIND_NOW || fail "$lib is not bound at load time, which the parent asked for"
    [ -n "$archive" ] || fail "argops built no archive, which the parent asked for"
    ! readelf -d "$out/app" | grep -q 'NEEDED.*libargops' || fail "app, linked with the archive, needs libargops.so"
    [ "$options" = "ARGOPS_BUILD_STATIC ARGOPS_BUILD_TESTS ARGOPS_HARDEN ARGOPS_INSTALL " ] ||
        fail "argops left these options in the parent's cache: $options"
else
    # The parent's flags only: no hardening, warnings, sanitizers or coverage.
    for flag in -fstack-protector -fstack-clash-protection -fcf-protection -D_FORTIFY_SOURCE \
        -Wall -Wextra -Wpedantic -fsanitize -fprofile-instr-generate; do
        ! printf '%s\n' "$commands" | grep -q -e "$flag" || fail "argops compiles itself with $flag inside the parent"
    done
    ! readelf -d "$lib" | grep -q BIND_NOW || fail "argops links $lib with BIND_NOW inside the parent"
    [ -z "$archive" ] || fail "argops built the archive unasked: $archive"
    [ "$options" = "ARGOPS_BUILD_TESTS ARGOPS_INSTALL " ] ||
        fail "argops left these options in the parent's cache: $options"
fi

cmake --install "$out" --prefix "$out/prefix" >/dev/null
installed=$(cd "$out/prefix" && find . ! -type d | sort)
[ "$installed" = "./bin/app" ] || fail "the parent's install holds: $installed"
(cd "$out" && cpack >/dev/null)
packaged=$(tar tzf "$out/parent.tar.gz" | grep -v '/$' | sort)
[ "$packaged" = "parent/bin/app" ] || fail "the parent's package holds: $packaged"
