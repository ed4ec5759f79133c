# SPDX-License-Identifier: MIT
# Makes the Debian packages of the build BUILD in OUT and checks their fields,
# and that libargops1 (the shared library) and libargops-dev (everything else)
# together hold exactly the files that an install into PREFIX wrote.
set -eu
build=$1 version=$2 prefix=$3 out=$4
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
arch=$(dpkg --print-architecture)
runtime=$out/libargops1_$version-1_$arch.deb
dev=$out/libargops-dev_$version-1_$arch.deb

fail() { echo "$*" >&2; exit 1; }
expect() { [ "$1" = "$2" ] || fail "expected: $2" "got: $1"; }
fields() { dpkg-deb -f "$1" Package Version Architecture Depends | tr '\n' ' '; }

expect "$(fields "$dev")" "Package: libargops-dev Version: $version-1 Architecture: $arch Depends: libargops1 (= $version-1) "
case $(fields "$runtime") in
"Package: libargops1 Version: $version-1 Architecture: $arch Depends: libc6 "*", libstdc++6 "*) ;;
*) fail "libargops1 has the fields: $(fields "$runtime")" ;;
esac
expect "$(dpkg-deb -I "$runtime" shlibs)" "libargops 1 libargops1 (>= $version-1)"
expect "$(dpkg-deb -I "$runtime" triggers)" "activate-noawait ldconfig"

# Files and links, without the packages' /usr and the install's prefix.
contents() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | sort; }
installed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort)
expect "$(contents "$runtime")" "$(printf '%s\n' "$installed" | grep '/libargops\.so\.')"
expect "$(contents "$dev")" "$(printf '%s\n' "$installed" | grep -v '/libargops\.so\.')"

# The packages install under /usr, stripped.
dpkg-deb -x "$runtime" "$out/root"
dpkg-deb -x "$dev" "$out/root"
grep -qx 'prefix=/usr' "$out"/root/usr/lib/*/pkgconfig/argops.pc "$out"/root/usr/lib/pkgconfig/argops.pc 2>/dev/null ||
    fail "argops.pc does not name the prefix /usr"
readelf -S "$out"/root/usr/lib/*/libargops.so.$version "$out"/root/usr/lib/libargops.so.$version 2>/dev/null |
    grep -q debug_info && fail "the packaged library is not stripped"
exit 0
