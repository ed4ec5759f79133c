#!/bin/sh
# SPDX-License-Identifier: MIT
# numseq's manual page, as its build put it together: groff and mandoc find
# nothing to warn about, and man shows each section, the options from the
# table among them.
set -u
page=$1
for p in groff mandoc man; do
    command -v "$p" >/dev/null || { echo "no $p"; [ "${CI:-}" ] && exit 1; exit 77; }
done
out=$(groff -ww -man -z "$page" 2>&1) && [ -z "$out" ] || { echo "groff -ww: $out"; exit 1; }
out=$(mandoc -Tlint "$page" 2>&1) && [ -z "$out" ] || { echo "mandoc -Tlint: $out"; exit 1; }
shown=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>&1)
for want in 'numseq - print a run of numbers' 'numseq [-rh -f <int> -n <int> -s "..." -w <int> -C "..."]' \
    'DESCRIPTION' '-w <int>' 'pad with zeros to this width [0..20, default 0]' 'count down instead of up [false]' \
    'EXIT STATUS'; do
    printf '%s\n' "$shown" | grep -qF -- "$want" || { echo "man -l shows no [$want]:"; printf '%s\n' "$shown"; exit 1; }
done
