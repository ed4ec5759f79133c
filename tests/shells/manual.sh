#!/bin/bash
# SPDX-License-Identifier: MIT
# show_tool's manual sections, without and with its long names, put into a page with its own .TH, NAME and
# DESCRIPTION: groff and mandoc must find nothing to warn about, and man
# must render each description as written (a newline as a line break,
# other control characters as blanks), the value after it unless the
# description holds '[', and the synopsis of the usage line.
# usage: manual.sh <show_tool> [emulator ...]
set -u
# What the test runs: without it the test is skipped, and fails in CI.
for p in groff mandoc man; do
    command -v "$p" >/dev/null || { echo "no $p"; [ "${CI:-}" ] && exit 1; exit 77; }
done
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
source "$(dirname "$0")/runner.sh" && tool=$(runner "$dir/run" "$@") || exit 1
cd "$dir" || exit 1
status=0
fail() { echo "FAIL: $*"; status=1; }

for sections in manual manual-long; do
    {
        printf '%s\n' '.TH TOOL 1 2026-01-01 argops "User Commands"' .SH\ NAME 'tool \- try the writers'
        "$tool" $sections
        printf '%s\n' .SH\ DESCRIPTION 'Nothing.'
    } >$sections.1 || exit 1
    out=$(groff -ww -man -z $sections.1 2>&1) && [[ -z $out ]] || fail "groff -ww, $sections: $out"
    out=$(mandoc -Tlint $sections.1 2>&1) && [[ -z $out ]] || fail "mandoc -Tlint, $sections: $out"
done
mv manual.1 tool.1 && mv manual-long.1 long.1 || exit 1

# The rendered page and the texts on one line each, blanks squeezed: how
# far a line is filled is roff's business.
squeeze() { tr -s ' \n' '  '; }
raw=$(LANG=C.UTF-8 MANWIDTH=2000 man -l tool.1 2>"$dir/err")
page=$(squeeze <<<"$raw")
# No end of a sentence in the synopsis: one blank after each "...".
[[ $raw == *' -o "..." -x <...> '*' -L ... -$ '* ]] || fail "synopsis spaced as sentences"
[[ -s $dir/err ]] && fail "man: $(cat "$dir/err")"
"$tool" table >table
while IFS=$'\t' read -r hex code dsc; do
    dsc=$(squeeze <<<"$dsc")
    dsc=${dsc% }
    [[ $page == *"$dsc"* ]] || fail "description of row $hex not shown as written: [$dsc]"
done <table
for want in 'tool [-vqc%Nv'\''"[* ?-+ -n <int> -B t|f -o "..." -x <...> -U <uint> -d <real> -t <date> -L ... -$ "..." -\ <int> -; t|f] [file [file ...]]' \
    "-c .starts with a dot, ends with a blank [on]" "-o \"...\" output file: ] and [ and : and \\]" \
    "-U <uint> mask with a tab ~ ^ \` | [32]" "-d <real> ratio control escape [-0.5]" \
    "-x <...> leading blank -x- \\fB not bold \\\" no comment []" \
    "dollar letter [out 'file' \$(touch pwned-value) -x.txt]" "-n <int> 'starts with a quote; %d %B -n --long [1..10] -B"; do
    [[ $page == *"$want"* ]] || fail "page lacks [$want]"
done
# The long names: beside the letter, alone for a long-only row, and as
# written, whatever they hold.
long=$(LANG=C.UTF-8 MANWIDTH=2000 man -l long.1 2>&1 | squeeze)
for want in ' -$ "..." -\ <int> -; t|f --newline] [file' ' -o, --output "..." output file' ' --newline newline letter' \
    " -q, --quiet \$(touch pwned-long1) quiet" " -x, --x'\`touch pwned-long2\`;\\ <...> leading blank"; do
    [[ $long == *"$want"* ]] || fail "long page lacks [$want]"
done
# The synopsis at 80 and at 40 columns, by man and by mandoc: no item
# broken or hyphenated inside. 62 flags make a line roff need not stretch.
"$tool" flags | sed -e '1i .TH TOOL 1 2026-01-01 argops "User Commands"' -e '1i .SH NAME' -e '1i tool \\- flags' >flags.1 ||
    exit 1
out=$(groff -ww -man -z flags.1 2>&1) && [[ -z $out ]] || fail "groff -ww, 62 flags: $out"
declare -A items=([tool.1]='-n <int>|-B t|f|-o "..."|-x <...>|-U <uint>|-d <real>|-t <date>|[file [file ...]]'
    [flags.1]='[file [file ...]]|arguments' [long.1]='-n <int>|--newline|[file [file ...]]')
for page in tool.1 flags.1 long.1; do
    for width in 80 40; do
        for render in man mandoc; do
            if [[ $render == man ]]; then
                text=$(LANG=C.UTF-8 MANWIDTH=$width man -l $page 2>&1)
            else
                text=$(mandoc -Tascii -Owidth=$width $page | col -b)
            fi
            synopsis=$(sed -n '/^SYNOPSIS/,/^OPTIONS/p' <<<"$text")
            while IFS= read -r -d '|' item; do
                grep -qF -- "$item" <<<"$synopsis" || fail "$render at $width columns breaks [$item] in $page: $synopsis"
            done <<<"${items[$page]}|"
            [[ $synopsis == *$'\u2010'* ]] && fail "$render at $width columns hyphenates $page's synopsis: $synopsis"
        done
    done
done
[[ $status == 0 ]] && echo "ok: manual: groff, mandoc, man"
exit $status
