#!/bin/bash
# SPDX-License-Identifier: MIT
# The zsh scripts of show_tool's table, without and with its long names
# (as tool and ltool), installed in fpath and sourced after
# compinit. An interactive zsh in a pseudo-terminal (zpty) lists, with ^D,
# what completion offers at each point of a line; beside each option zsh
# must show the row's description as written (control characters as blanks).
# usage: zsh.sh <show_tool> [emulator ...]
set -u
# What the test runs: without it the test is skipped, and fails in CI.
for p in zsh; do
    command -v "$p" >/dev/null || { echo "no $p"; [ "${CI:-}" ] && exit 1; exit 77; }
done
zsh -fc 'zmodload zsh/zpty && zpty t true' 2>/dev/null ||
    { echo "no pseudo-terminal for zsh"; [ "${CI:-}" ] && exit 1; exit 77; }
dir=$(mktemp -d) && trap "${KEEP:+:} rm -rf $dir" EXIT
source "$(dirname "$0")/runner.sh" && tool=$(runner "$dir/run" "$@") || exit 1
mkdir -p "$dir/files/adir" "$dir/fp" && cd "$dir/files" && touch afile bfile ./-dash || exit 1
"$tool" completion zsh tool >"$dir/tool.zsh" && cp "$dir/tool.zsh" "$dir/fp/_tool" || exit 1
"$tool" completion-long zsh ltool >"$dir/ltool.zsh" && cp "$dir/ltool.zsh" "$dir/fp/_ltool" || exit 1
status=0
for name in tool ltool; do zsh -n "$dir/$name.zsh" || { echo "FAIL: zsh -n $name"; status=1; }; done

# A line; the words listed for its last word, sorted; the message above them.
cases='tool -B |false true|<t|f>
tool -Bt|true|<t|f>
tool -o |-dash adir/ afile bfile|<"...">
tool -oa|adir/ afile|<"...">
tool -n ||<<int>>
tool |-dash adir/ afile bfile|<file>
tool -vq|-% -- -B -N -U -c -d -n -o -t -x|<option>
tool -vn ||<<int>>
tool -vx |-dash adir/ afile bfile|<<...>>
ltool --|--bool --dollar --newline --out-file --output --passes --verbose|<option>
ltool -B t --|--dollar --newline --out-file --output --passes --verbose|<option>
ltool --bool t -|-% -- --dollar --newline --out-file --output --passes --verbose -N -U -c -d -dash -n -o -q -t -v -x|<file> <option>
ltool --bool=|false true|<t|f>
ltool --bool |false true|<t|f>
ltool --output=a|adir/ afile|<"...">
ltool --out-file a|adir/ afile|<"...">
ltool --dollar=|-dash adir/ afile bfile|<"...">
ltool --passes ||<<int>>'

"$tool" table | while IFS=$'\t' read -r hex code dsc; do
    [[ " 76 71 63 6e 42 6f 78 55 64 74 25 " == *" $hex "* && $dsc != 'second row'* ]] &&
        printf -- "-\\x$hex\t%s\n" "${dsc%"${dsc##*[! ]}"}"
done | LC_ALL=C sort >"$dir/want"

cat >"$dir/drive.zsh" <<'EOF'
# drive.zsh <fpath|source> <dir> <show_tool> <line>...: each line's listing after "=== line"
zmodload zsh/zpty
load=$1 dir=$2 tool=$3; shift 3
zpty z 'TERM=dumb COLUMNS=400 LINES=100 zsh -f -i'
# No mark of a partial line before a prompt: it is % or #, by the user.
zpty -w z "PS1='READY> '; unsetopt prompt_sp; unset zle_bracketed_paste; cd ${(q)dir}/files"
if [[ $load == fpath ]]; then
    zpty -w z "fpath=(${(q)dir}/fp \$fpath); autoload -Uz compinit; compinit -D"
else
    zpty -w z "autoload -Uz compinit; compinit -D; source <(${(q)tool} completion zsh tool)"
    zpty -w z "source <(${(q)tool} completion-long zsh ltool)"
fi
# One key lists and then ends the line with a marker: with keys still to
# read, zsh would not list at all.
zpty -w z 'probe() { zle list-choices; BUFFER="print -r EN\"\"DMARK"; zle accept-line }; zle -N probe; bindkey "^X^L" probe'
zpty -w z 'zstyle ":completion:*" format "<%d>"; print -r "REG=${_comps[tool]}=" EN""DMARK'
# Nothing is sent before the prompt is up: the terminal would echo it.
zpty -r -m z out '*ENDMARK*READY> '
print -r -- "${(M)out##*REG=*=}"
for line; do
    zpty -w -n z "$line"$'\C-x\C-l'
    zpty -r -m z out '*ENDMARK*READY> '
    print -r -- "=== $line"
    print -r -- "${out//$'\r'/}"
done
zpty -d z
EOF

for load in fpath source; do
    mapfile -t lines < <(cut -d'|' -f1 <<<"$cases")
    timeout 120 zsh -f "$dir/drive.zsh" "$load" "$dir" "$tool" 'tool -' "${lines[@]}" >"$dir/raw" 2>&1
    want_fn=_tool; [[ $load == source ]] && want_fn=_argops_tool
    grep -q "^REG=$want_fn=" "$dir/raw" || { echo "FAIL $load: compinit did not register $want_fn"; status=1; }
    # The listing of one line: what stands between the line typed and the next prompt.
    listing() {
        awk -v l="=== $1" '$0 == l { on = 1; next } /^=== / { on = 0 } on' "$dir/raw" |
            sed -e $'s/\033\\[[0-9;?]*[a-zA-Z]//g' -e 's/[[:space:]]*$//' |
            grep -av -e 'EN""DMARK' -e '^ENDMARK' -e '^READY>' -e '^$'
    }
    listing 'tool -' | grep -a ' -- ' | sed -E 's/^(-.) +-- /\1\t/' | LC_ALL=C sort >"$dir/got"
    diff "$dir/want" "$dir/got" >"$dir/out" || { echo "FAIL $load: tool - (< wanted, > listed)"; cat "$dir/out"; status=1; }
    while IFS='|' read -r line want msg; do
        got=$(listing "$line" | grep -av '^<' | awk '{ if (/ -- /) sub(/ -- .*/, ""); for (i = 1; i <= NF; i++) print $i }' |
              LC_ALL=C sort | paste -sd' ')
        gotmsg=$(listing "$line" | grep -a '^<' | paste -sd' ')
        [[ $got == "$want" && $gotmsg == "$msg" ]] ||
            { echo "FAIL $load: [$line] lists [$got] under [$gotmsg], not [$want] under [$msg]"; status=1; }
    done <<<"$cases"
    [[ $status == 0 ]] && echo "ok: zsh, $load"
done

if compgen -G "$dir/files/pwned*" >/dev/null; then
    echo "FAIL: loading the script ran a command"
    status=1
fi
exit $status
