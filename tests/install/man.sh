# SPDX-License-Identifier: MIT
# Fails unless MANDIR holds a page or link for each NAME, which man shows, as
# `man NAME` will once argops is installed, and the page it shows names it.
set -eu
mandir=$1
shift
for name; do
    test -e "$mandir/man3/$name.3.gz" || { echo "no $mandir/man3/$name.3.gz" >&2; exit 1; }
    page=$(man -M "$mandir" 3 "$name")
    printf '%s\n' "$page" | grep -q "\\b$name\\b" || { echo "man $name shows no $name" >&2; exit 1; }
done
