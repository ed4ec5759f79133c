#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the README's shell line that puts numseq's page together, exactly as
# the README shows it, in a scratch directory with numseq on the PATH, and
# fails unless it makes the page that the build made with man.cmake.
# usage: readme-man.sh <README> <numseq> <numseq.1.in> <built numseq.1> [emulator ...]
set -eu
readme=$1 numseq=$2 page=$3 built=$4
shift 4
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
# numseq as the PATH finds it, run through the emulator of a cross build.
{ echo '#!/bin/sh'; printf '%s ' exec "$@" "'$numseq'"; echo '"$@"'; } >"$dir/numseq" && chmod +x "$dir/numseq"
cp "$page" "$dir/numseq.1.in"
sed -n '/^<!-- man page -->$/,/^<!-- \/man page -->$/p' "$readme" | sed -e '1,2d' -e '$d' | sed '$d' >"$dir/line.sh"
[ -s "$dir/line.sh" ] || { echo "no man page block in $readme" >&2; exit 1; }
(cd "$dir" && PATH=$dir:$PATH sh ./line.sh)
cmp "$dir/numseq.1" "$built"
echo "the README's line makes numseq.1 as the build does"
