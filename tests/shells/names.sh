#!/bin/bash
# SPDX-License-Identifier: MIT
# Program names and shells: what no shell can register is refused with no
# output; an odd name that it can is registered under exactly that name,
# and sourcing runs nothing of it; two names never share a function.
# usage: names.sh <show_tool> [emulator ...]
set -u
# What the test runs: without it the test is skipped, and fails in CI.
for p in bash zsh fish; do
    command -v "$p" >/dev/null || { echo "no $p"; [ "${CI:-}" ] && exit 1; exit 77; }
done
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
source "$(dirname "$0")/runner.sh" && tool=$(runner "$dir/run" "$@") || exit 1
cd "$dir" || exit 1
status=0
fail() { echo "FAIL: $*"; status=1; }

refused() { # shell name
    local out
    out=$("$tool" completion "$1" "$2")
    [[ $? == 2 && -z $out ]] || fail "$1 accepted [$2] or wrote for it"
}
for shell in bash zsh fish; do
    for name in '' 'a b' 'a/b' $'a\tb' $'a\nb' $'a\rb' '/usr/bin/tool'; do refused "$shell" "$name"; done
done
refused zsh 'a=b'   # compdef reads it as a command and a service
refused zsh '-x'    # and this as an option
refused fish 'a\'  # fish reads an escape in it
for shell in tcsh Bash 'bash ' '' sh; do refused "$shell" tool; done

odd='it'\''s$(touch${IFS}pwned-1)`touch${IFS}pwned-2`"*;\'
for name in "$odd" -x a=b; do
    "$tool" completion bash "$name" >s.bash && bash --norc -c 'source ./s.bash && complete -p -- "$1"' _ "$name" |
        grep -q -- '-F _argops_' || fail "bash did not register [$name]"
done
for name in 'it'\''s(echo>pwned-3)$(echo>pwned-4)"*;' -x a=b; do
    "$tool" completion fish "$name" >s.fish && fish --no-config -c 'source ./s.fish; complete --command=$argv[1]' -- "$name" |
        grep -q -- ' -s v ' || fail "fish did not register [$name]"
done
"$tool" completion zsh "$odd" >s.zsh && zsh -fc 'autoload -Uz compinit && compinit -D && source ./s.zsh && print -r -- ${_comps[$1]}' _ "$odd" |
    grep -q '^_argops_' || fail "zsh did not register [$odd]"

for name in a-b a_b; do "$tool" completion bash "$name"; done >two.bash
fns=$(bash --norc -c 'source ./two.bash && complete -p a-b a_b' | sed 's/.*-F \([^ ]*\).*/\1/' | sort -u | wc -l)
[[ $fns == 2 ]] || fail "a-b and a_b share a function"

compgen -G "$dir/pwned*" >/dev/null && fail "sourcing ran a command of the name"
[[ $status == 0 ]] && echo "ok: names"
exit $status
