#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The README's blocks, run as they stand in fresh Debian roots (debootstrap
# minbase) where nothing else was installed: what a newcomer's machine may
# lack, they must install themselves. Debian 12 runs them as root, Debian 13
# as a user through sudo: the set-up and test blocks, the package build and
# install, the CMake install and the Meson install. No log may hold a CMake
# warning or a word from dpkg-gensymbols, and the packages built on Debian 13
# must pass lintian there. Last, argops is embedded in a parent project by
# the oldest CMake in Debian's archive, Debian 11's.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash .ci/need debootstrap git dpkg-dev

fail() { echo "$*" >&2; exit 1; }
out=$PWD/build/fresh
mounted=()
unmount() {
    local root
    for root in "${mounted[@]}"; do
        umount "$root/dev/pts" "$root/proc"
    done
    mounted=()
}
trap unmount EXIT
for mount in $(awk -v out="$out/" 'index($2, out) == 1 && $2 ~ /\/(proc|pts)$/ { print $2 }' /proc/mounts | sort -r); do
    umount "$mount"
done
rm -rf "$out"
mkdir -p "$out"
mirror=$(sed -n 's|^URIs: *\(http[^ ]*debian\)/*$|\1|p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)

# Every sh block of the README, numbered, then the ones run here: the first
# two (set-up, tests) and the first that builds the packages, installs with
# CMake and installs with Meson.
awk '/^```sh$/ { n++; on = 1; next } /^```$/ { on = 0 } on { print > ("'"$out"'/readme" n ".sh") }' README.md
pick() { grep -l -e "$1" "$out"/readme*.sh | sort -V | head -1; }
blocks=("$out/readme1.sh" "$out/readme2.sh")
for what in 'dpkg-buildpackage' 'cmake --install' 'meson install'; do
    block=$(pick "$what") || true
    [ -n "$block" ] || fail "README.md has no sh block with $what"
    blocks+=("$block")
done

# A fresh root of SUITE in $out/SUITE, with /proc mounted, and pseudo-
# terminals for the zsh that the completion tests drive.
fresh() {
    local root=$out/$1 start=$SECONDS
    debootstrap --variant=minbase "$1" "$root" "${mirror:-http://deb.debian.org/debian}" >"$out/$1.debootstrap.log" 2>&1 ||
        { tail -20 "$out/$1.debootstrap.log"; exit 1; }
    mount -t proc proc "$root/proc"
    mount -t devpts devpts "$root/dev/pts" -o newinstance,ptmxmode=0666
    mounted+=("$root")
    echo "-- $1: debootstrap $((SECONDS - start)) s"
}
# Runs the command line in the root of SUITE with a clean environment but
# CI (so that no test there skips for want of a program), as USER (root, or
# one who has sudo), its output in LOG.
in_root() {
    local suite=$1 user=$2 log=$3 home=/root
    shift 3
    [ "$user" = root ] || home=/home/$user
    chroot --userspec="$user:$user" "$out/$suite" /usr/bin/env -i HOME="$home" USER="$user" LOGNAME="$user" CI="${CI:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin sh -ec "$*" >"$log" 2>&1 ||
        { tail -40 "$log"; fail "$suite: failed as $user: $*"; }
}
# The README's blocks, one after the other, in a copy of the tree in USER's
# home of the root of SUITE.
readme() {
    local suite=$1 user=$2 home=/root block log start
    [ "$user" = root ] || home=/home/$user
    mkdir -p "$out/$suite$home/argops"
    git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$out/$suite$home/argops"
    cp "${blocks[@]}" "$out/$suite$home/"
    chroot "$out/$suite" chown -R "$user:$user" "$home"
    for block in "${blocks[@]}"; do
        block=$(basename "$block" .sh)
        log=$out/$suite.$block.log
        start=$SECONDS
        in_root "$suite" "$user" "$log" "cd ~/argops && sh -e ../$block.sh"
        echo "-- $suite, as $user: $block.sh, $((SECONDS - start)) s:"
        sed 's/^/   | /' "$out/$suite$home/$block.sh"
        tail -2 "$log"
        ! grep -n -e 'CMake Warning' -e 'CMake Deprecation Warning' -e 'dpkg-gensymbols' "$log" ||
            fail "$suite: $block.sh printed the warnings above"
    done
}

fresh bookworm
readme bookworm root

fresh trixie
start=$SECONDS
in_root trixie root "$out/trixie.user.log" "apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y sudo &&
    useradd -m dev && echo 'dev ALL=(ALL) NOPASSWD: ALL' >/etc/sudoers.d/dev && chmod 440 /etc/sudoers.d/dev &&
    echo \"127.0.1.1 \$(cat /proc/sys/kernel/hostname)\" >>/etc/hosts"
echo "-- trixie: a user with sudo, $((SECONDS - start)) s"
readme trixie dev
start=$SECONDS
in_root trixie root "$out/trixie.lintian-install.log" \
    "DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends lintian"
version=$(dpkg-parsechangelog -S Version)
changes=/home/dev/argops_${version}_$(dpkg --print-architecture).changes
in_root trixie dev "$out/trixie.lintian.log" "lintian --pedantic -I -E --fail-on error,warning,info,pedantic $changes"
[ ! -s "$out/trixie.lintian.log" ] || { cat "$out/trixie.lintian.log"; fail "trixie: lintian tagged the packages"; }
echo "-- trixie: lintian --pedantic -I -E: no tag, $((SECONDS - start)) s"
unmount

# A guest needs no newer CMake than cmake_minimum_required says: tried with
# the oldest CMake that Debian's archive still has.
fresh bullseye
start=$SECONDS
in_root bullseye root "$out/bullseye.install.log" "apt-get update && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends cmake make g++ git binutils"
git clone -q "$PWD" "$out/bullseye/work/argops"
commit=$(git rev-parse HEAD)
cmake_version=$(chroot "$out/bullseye" cmake --version | head -1)
for how in subdirectory fetchcontent "subdirectory asks"; do
    set -- $how
    in_root bullseye root "$out/bullseye.embed.log" "cd /work/argops && sh tests/install/embed.sh $1 /work/argops \
        $commit /work/argops/examples/quickstart.cpp /tmp/embed-$1 ${2:-}"
done
echo "-- bullseye: embedded (add_subdirectory, FetchContent, asking for hardening and archive)" \
    "by $cmake_version, $((SECONDS - start)) s"
unmount
