#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The README's first two sh blocks, the set-up with the main job and the test
# command, run as they stand in a fresh Debian 12 (debootstrap minbase) where
# nothing else was installed: what a newcomer's machine may lack, they must
# install themselves.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash .ci/need debootstrap

out=$PWD/build/fresh
root=$out/root
mounted() { grep -q " $root/proc " /proc/mounts; }
mounted && umount "$root/proc"
rm -rf "$out"
mkdir -p "$out"
mirror=$(sed -n 's|^URIs: *\(http[^ ]*debian\)/*$|\1|p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
debootstrap --variant=minbase bookworm "$root" "${mirror:-http://deb.debian.org/debian}" >"$out/debootstrap.log" 2>&1 ||
    { tail -20 "$out/debootstrap.log"; exit 1; }

mkdir -p "$root/work/argops"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$root/work/argops"
awk '/^```sh$/ { n++; on = 1; next } /^```$/ { on = 0 } on && n <= 2 { print > ("'"$out"'/block" n ".sh") }' README.md
cp "$out/block1.sh" "$out/block2.sh" "$root/work/"

mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
for block in block1 block2; do
    echo "-- $block.sh:"
    cat "$out/$block.sh"
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        sh -ec "cd /work/argops && sh -e ../$block.sh" >"$out/$block.log" 2>&1 || { tail -40 "$out/$block.log"; exit 1; }
    tail -3 "$out/$block.log"
done
