#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian packages as a distribution would (dpkg-buildpackage, tests
# run by dh_auto_test), twice from two directories to check that they are
# reproducible, lints them, checks the hardening of the packaged library,
# installs them and builds consumers against the installed shared library and
# archive (CMake, pkg-config, Meson, an archive linked with --gc-sections).
set -euo pipefail
cd "$(dirname "$0")/../.."

bash .ci/need debhelper dpkg-dev lintian devscripts pkg-config man-db binutils meson ninja-build
dpkg-checkbuilddeps 2>/dev/null || {
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get build-dep -y --no-install-recommends ./
}

fail() { echo "$*" >&2; exit 1; }
version=$(sed -n 's/^project(argops VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$(dpkg-parsechangelog -S Version)" = "$version" ] ||
    fail "debian/changelog is not at the version of CMakeLists.txt, $version"

# Each build gets a copy of the tree as git sees it, since the packages land
# in the parent directory.
out=build/debian
rm -rf "$out"
copy() { mkdir -p "$1"; git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$1"; }
copy "$out/one/argops"
copy "$out/two/elsewhere/argops"
(cd "$out/one/argops" && dpkg-buildpackage -us -uc -b >../build.log 2>&1) || { tail -50 "$out/one/build.log"; exit 1; }
grep -E '^[0-9]+% tests passed' "$out/one/build.log"
# debian/rules makes a mismatch of the symbols file an error; any other word
# from dpkg-gensymbols, or a warning from CMake, fails CI all the same.
! grep -e 'dpkg-gensymbols' -e 'CMake Warning' -e 'CMake Deprecation Warning' "$out/one/build.log" ||
    fail "the package build printed the warnings above"
(cd "$out/two/elsewhere/argops" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b >../build.log 2>&1) ||
    { tail -50 "$out/two/elsewhere/build.log"; exit 1; }
for deb in "$out"/one/*.deb; do
    cmp "$deb" "$out/two/elsewhere/$(basename "$deb")" || fail "$(basename "$deb") differs between two builds"
done
echo "reproducible: $(cd "$out/one" && ls ./*.deb | wc -l) packages byte for byte the same from two builds"

changes=$out/one/argops_${version}_$(dpkg --print-architecture).changes
# Tags go to standard output; standard error only says that it runs as root.
tags=$(lintian --pedantic -I -E --fail-on error,warning,info,pedantic "$changes" 2>"$out/lintian.err") ||
    fail "lintian: $tags $(cat "$out/lintian.err")"
[ -z "$tags" ] || fail "lintian: $tags"
echo "lintian --pedantic -I -E: no tag"

dpkg-deb -x "$out"/one/libargops1_*.deb "$out/root"
lib=$(echo "$out"/root/usr/lib/*/libargops.so.1.*)
# hardening-check fails on two other lines, which the build cannot change: the
# only fortifiable call, the memmove that the compiler makes of argdRemoveArg's
# loop, has no size known at compile time; and Debian 12's start files carry no
# CET marking, so the linker drops the library's.
checks=$(hardening-check "$lib") || true
echo "$checks"
for yes in 'Stack protected' 'Read-only relocations' 'Immediate binding'; do
    grep -q "$yes: yes" <<<"$checks" || fail "hardening-check: not $yes"
done
echo "packaged library: $(stat -c %s "$lib") bytes, stripped"

trap 'apt-get purge -y libargops-dev libargops1 >/dev/null' EXIT
apt-get install -y "./$out"/one/libargops1_*.deb "./$out"/one/libargops-dev_*.deb >/dev/null
# Each consumer is built twice, against the shared library and against the
# archive; tests/install/prog.sh runs both and checks what each needs.
log=$(ctest --build-and-test tests/install/consumer "$out/consumer" --build-generator "Unix Makefiles" \
    --build-options -DSOURCE="$PWD/examples/quickstart.cpp" --test-command sh "$PWD/tests/install/prog.sh" . 2>&1) ||
    fail "$log"
grep -q '^prog_static: passes 4, output out.txt, verbose 1, operands: a b$' <<<"$log" || fail "$log"
sh tests/install/pkg-config.sh "/usr/lib/$(dpkg-architecture -q DEB_HOST_MULTIARCH)/pkgconfig" \
    examples/quickstart.cpp "$out/pkg-config"
# A Meson project's dependency('argops') finds the installed packages, with
# no subproject to fall back to.
mkdir -p "$out/meson-parent"
cp tests/install/meson-parent/meson.build "$out/meson-parent/"
cp examples/quickstart.cpp "$out/meson-parent/app.cpp"
log=$(meson setup "$out/meson" "$out/meson-parent" --wrap-mode=nofallback 2>&1 && meson compile -C "$out/meson" 2>&1) ||
    fail "$log"
grep -q 'Run-time dependency argops found: YES' <<<"$log" || fail "$log"
[ "$("$out/meson/app" -v -n 4 a b)" = "passes 4, output out.txt, verbose 1, operands: a b" ] ||
    fail "the Meson consumer failed"
man -w argops argdScanU >/dev/null
echo "installed packages: consumers built with find_package, pkg-config and Meson, shared and static, man pages found"
# The packaged archive, built with Debian's flags, keeps its sections.
sh tests/install/gc-sections.sh "/usr/lib/$(dpkg-architecture -q DEB_HOST_MULTIARCH)/libargops.a" /usr/include \
    "$out/gc-sections"
