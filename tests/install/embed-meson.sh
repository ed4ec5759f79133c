#!/bin/sh
# SPDX-License-Identifier: MIT
# Embeds argops into tests/install/meson-parent as a Meson subproject, the way
# HOW says: "dir", a copy of the tree SOURCE in subprojects/argops; or
# "wrap", the README's wrap file, naming SOURCE and COMMIT. Checks that the
# parent builds and runs the example program EXAMPLE, that argops looked for
# no GoogleTest and added no test, and that it left flags, archive and
# install to the parent: no hardening, no archive, only the shared library
# installed, which keeps its SONAME and its assertions (the parent sets
# NDEBUG). With ASK set to "asks", the parent asks for the hardening, the
# archive alone and the whole install, and gets them.
set -eu
here=$(dirname "$0")
how=$1 source=$2 commit=$3 example=$4 readme=$5 out=$6 ask=${7:-}
fail() { echo "$*" >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out/parent/subprojects"
cp "$here/meson-parent/meson.build" "$out/parent/"
cp "$example" "$out/parent/app.cpp"

if [ "$how" = dir ]; then
    mkdir "$out/parent/subprojects/argops"
    git -C "$source" ls-files -z --cached --others --exclude-standard |
        (cd "$source" && tar --null -T - -cf -) | tar -xf - -C "$out/parent/subprojects/argops"
else
    # The README's block that holds [wrap-git], with its two placeholders filled.
    awk '/^```ini$/ { on = 1; block = ""; next }
         on && /^```$/ { on = 0; if (block ~ /\[wrap-git\]/) printf "%s", block; next }
         on { block = block $0 "\n" }' "$readme" |
        sed -e "s|<a clone of argops>|$source|" -e "s|<a commit>|$commit|" >"$out/parent/subprojects/argops.wrap"
    grep -q '^\[wrap-git\]' "$out/parent/subprojects/argops.wrap" || fail "$readme shows no wrap file"
fi

set -- --buildtype=release -Db_ndebug=true --libdir=lib --force-fallback-for=argops
[ "$ask" = asks ] && set -- "$@" -Dargops:harden=enabled -Dargops:default_library=static -Dargops:install=enabled
meson setup "$out/build" "$out/parent" "$@" >"$out/setup.log" 2>&1 || { cat "$out/setup.log"; exit 1; }
meson compile -C "$out/build" >"$out/compile.log" 2>&1 || { cat "$out/compile.log"; exit 1; }
got=$("$out/build/app" -v -n 4 a b)
[ "$got" = "passes 4, output out.txt, verbose 1, operands: a b" ] || fail "app printed: $got"

tests=$(meson introspect --tests "$out/build")
[ "$tests" = "[]" ] || fail "argops added tests to the parent: $tests"
! grep -i -e gtest -e gmock -e googletest "$out/build/meson-logs/meson-log.txt" ||
    fail "argops looked for GoogleTest inside the parent"
! grep -q -e '-Werror' "$out/build/compile_commands.json" || fail "argops builds with -Werror inside the parent"
commands=$(grep '"command":.*argops/argops\.cpp' "$out/build/compile_commands.json")
[ -n "$commands" ] || fail "no compile command for argops/argops.cpp in $out/build/compile_commands.json"
lib=$(find "$out/build/subprojects" -name libargops.so.1)
archive=$(find "$out/build/subprojects" -name 'libargops*.a')

DESTDIR="$out/root" meson install -C "$out/build" --no-rebuild >/dev/null
installed=$(cd "$out/root/usr/local" && find . ! -type d | sed 's/\.so\.1\.[0-9.]*$/.so.1.VERSION/' | sort | tr '\n' ' ')
if [ "$ask" = asks ]; then
    for flag in -fstack-protector-strong -fstack-clash-protection -fcf-protection -D_FORTIFY_SOURCE=2 \
        -ffunction-sections; do
        printf '%s\n' "$commands" | grep -q -e "$flag" || fail "the archive lacks $flag, which the parent asked for"
    done
    [ -z "$lib" ] || fail "argops built its shared library where the parent asked for the archive alone"
    [ -n "$archive" ] || fail "argops built no archive, which the parent asked for"
    ! readelf -d "$out/build/app" | grep -q 'NEEDED.*libargops' || fail "app, linked with the archive, needs libargops.so"
    expected="./bin/app ./include/argops.h ./include/argrows.h ./lib/libargops.a ./lib/pkgconfig/argops.pc"
    for page in $(cd "$source/man" && ls ./*.3 | sort); do
        expected="$expected ./share/man/man3/${page#./}.gz"
    done
    [ "$installed" = "$expected " ] || fail "the parent's install holds: $installed"
else
    for flag in -fstack-protector -fstack-clash-protection -fcf-protection -D_FORTIFY_SOURCE; do
        ! printf '%s\n' "$commands" | grep -q -e "$flag" || fail "argops compiles itself with $flag inside the parent"
    done
    [ -n "$lib" ] || fail "no libargops.so.1 in $out/build"
    readelf -d "$lib" | grep -q 'SONAME.*\[libargops\.so\.1\]' || fail "$lib lacks the SONAME libargops.so.1"
    ! readelf -d "$lib" | grep -q BIND_NOW || fail "argops links $lib with BIND_NOW inside the parent"
    readelf -p .rodata "$lib" | grep -q ' argops/argops\.cpp$' ||
        fail "$lib holds no assertion naming argops/argops.cpp"
    [ -z "$archive" ] || fail "argops built the archive unasked: $archive"
    expected="./bin/app ./lib/libargops.so ./lib/libargops.so.1 ./lib/libargops.so.1.VERSION "
    [ "$installed" = "$expected" ] || fail "the parent's install holds: $installed"
fi
