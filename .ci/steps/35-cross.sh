#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# argops where Debian builds it, from this x86-64 machine with Debian's cross
# compilers: for arm64, armhf, i386 and s390x, the library, its tests and
# examples against a GoogleTest built for the target from Debian's source,
# every test run through the toolchain file's emulator (qemu-user, or
# i386's own loader); the Debian packages of each, with the hardening flags
# the target's compiler takes; and Meson's build for arm64 with a cross file.
set -euo pipefail
cd "$(dirname "$0")/../.."

fail() { echo "$*" >&2; exit 1; }
declare -A triplets=([arm64]=aarch64-linux-gnu [armhf]=arm-linux-gnueabihf [i386]=i686-linux-gnu
    [s390x]=s390x-linux-gnu)
arches=(arm64 armhf i386 s390x)

added=
for arch in "${arches[@]}"; do
    dpkg --print-foreign-architectures | grep -qx "$arch" || { dpkg --add-architecture "$arch" && added=1; }
done
[ -z "$added" ] || apt-get update >/dev/null
# The target's C and C++ runtimes beside the cross compilers: dpkg-shlibdeps
# reads their symbols for the packages' dependencies.
need=(qemu-user libgtest-dev cmake meson ninja-build debhelper dpkg-dev binutils)
for arch in "${arches[@]}"; do
    need+=("crossbuild-essential-$arch" "libc6:$arch" "libstdc++6:$arch")
done
bash .ci/need "${need[@]}"

out=$PWD/build/cross
rm -rf "$out"
mkdir -p "$out"

# The library, its tests and examples for each target, every test run.
for arch in "${arches[@]}"; do
    start=$SECONDS
    triplet=${triplets[$arch]}
    toolchain=$PWD/cmake/cross/$triplet.cmake
    dir=$out/$arch
    cmake -S /usr/src/googletest -B "$dir/gtest-build" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$dir/gtest" >"$dir.log" 2>&1 &&
        cmake --build "$dir/gtest-build" -j2 >>"$dir.log" 2>&1 && cmake --install "$dir/gtest-build" >>"$dir.log" 2>&1 ||
        { tail -30 "$dir.log"; fail "$arch: GoogleTest did not build"; }
    cmake -S . -B "$dir/build" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release -DARGOPS_WERROR=ON \
        -DGTest_DIR="$dir/gtest/lib/cmake/GTest" >>"$dir.log" 2>&1 && cmake --build "$dir/build" -j2 >>"$dir.log" 2>&1 ||
        { tail -30 "$dir.log"; fail "$arch: argops did not build"; }
    # The library is the target's, and hardened as far as its compiler goes.
    machine=$(readelf -h "$dir/build/libargops.so" | sed -n 's/^ *Machine: *//p')
    flags=$(grep -o -e '-fstack-protector-strong' -e '-fstack-clash-protection' -e '-fcf-protection' \
        -e '-mbranch-protection=standard' "$dir/build/CMakeFiles/argops.dir/flags.make" | paste -sd' ' || true)
    ctest --test-dir "$dir/build" -j2 --output-on-failure >"$dir.test.log" 2>&1 ||
        { grep -v -e '^ *Start ' -e ' Passed ' "$dir.test.log" | tail -60; fail "$arch: tests failed"; }
    echo "$arch ($machine, $flags): $(grep -E '^[0-9]+% tests passed' "$dir.test.log"), $((SECONDS - start)) s"
done

# The Debian packages for each target (a cross build runs no test), each in a
# copy of the tree since dpkg-buildpackage writes to the parent directory. The
# compiler's command line, kept in the debug symbols, shows the hardening that
# debian/rules chose for the target.
copy() {
    mkdir -p "$1"
    git ls-files -z -co --exclude-standard | while IFS= read -r -d '' f; do
        if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
    done | tar --null -T - -cf - | tar -xf - -C "$1"
}
for arch in "${arches[@]}"; do
    start=$SECONDS
    dir=$out/deb/$arch
    copy "$dir/argops"
    (cd "$dir/argops" && dpkg-checkbuilddeps -a "$arch" -Pnocheck 2>/dev/null) || {
        apt-get update >/dev/null
        (cd "$dir/argops" && DEBIAN_FRONTEND=noninteractive apt-get build-dep -y --no-install-recommends \
            -a "$arch" -Pnocheck ./ >/dev/null)
    }
    (cd "$dir/argops" && dpkg-buildpackage -a "$arch" -Pnocheck -us -uc -b >../build.log 2>&1) ||
        { tail -40 "$dir/build.log"; fail "$arch: dpkg-buildpackage failed"; }
    for deb in "$dir"/libargops1_*.deb "$dir"/libargops-dev_*.deb; do
        [ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "$deb is not for $arch"
    done
    dpkg-deb -x "$dir"/libargops1-dbgsym_*.deb "$dir/dbgsym"
    producer=$(readelf --debug-dump=info "$(find "$dir/dbgsym" -name '*.debug' | head -1)" |
        grep -m1 'DW_AT_producer.*GNU C++' || true)
    grep -q -e '-fstack-clash-protection' <<<"$producer" || fail "$arch: packaged without stack clash protection"
    case $arch in
    i386) grep -q -e '-fcf-protection' <<<"$producer" || fail "$arch: packaged without CET" ;;
    *) ! grep -q -e '-fcf-protection' <<<"$producer" || fail "$arch: packaged with -fcf-protection" ;;
    esac
    [ "$arch" != arm64 ] || grep -q -e '-mbranch-protection=standard' <<<"$producer" ||
        fail "$arch: packaged without branch protection"
    echo "$arch packages: $(cd "$dir" && ls -- *.deb | paste -sd' '), $((SECONDS - start)) s"
done

# Meson's cross build for arm64, and a program linked with it that runs
# through the same loader and qemu as CMake's tests.
start=$SECONDS
triplet=${triplets[arm64]}
run=(qemu-aarch64 "/usr/$triplet/lib/ld-linux-aarch64.so.1" --library-path "/usr/$triplet/lib")
cat >"$out/meson-arm64.ini" <<EOF
[binaries]
c = '$triplet-gcc'
cpp = '$triplet-g++'
ar = '$triplet-ar'
strip = '$triplet-strip'
exe_wrapper = ['$(printf "%s', '" "${run[@]:0:3}")${run[3]}']

[host_machine]
system = 'linux'
cpu_family = 'aarch64'
cpu = 'aarch64'
endian = 'little'
EOF
meson setup "$out/meson" --cross-file "$out/meson-arm64.ini" --buildtype=release --werror \
    --fatal-meson-warnings >"$out/meson.log" 2>&1 && meson compile -C "$out/meson" -j 2 >>"$out/meson.log" 2>&1 ||
    { tail -30 "$out/meson.log"; fail "Meson's cross build failed"; }
lib=$out/meson/libargops.so
readelf -h "$lib" | grep -q 'Machine: *AArch64' || fail "Meson built $lib for another machine"
! grep -q -e '-fcf-protection' "$out/meson/compile_commands.json" || fail "Meson passed -fcf-protection for arm64"
grep -q -e '-fstack-clash-protection' "$out/meson/compile_commands.json" || fail "Meson left out stack clash protection"
"$triplet-g++" -std=c++17 -Iargops -o "$out/quickstart" examples/quickstart.cpp -L"$out/meson" -largops \
    -Wl,-rpath,"$out/meson"
got=$("${run[@]}" "$out/quickstart" -v -n 4 a b)
[ "$got" = "passes 4, output out.txt, verbose 1, operands: a b" ] || fail "quickstart on Meson's arm64 build: $got"
echo "Meson arm64: built, hardened without CET, quickstart runs under qemu-aarch64, $((SECONDS - start)) s"
echo "cross builds, packages and Meson: $SECONDS s"
