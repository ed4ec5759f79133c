#!/bin/bash
# SPDX-License-Identifier: MIT
# Program names and shells: what a shell cannot register as itself, or
# would evaluate, is refused with no output; an odd name that it can is
# registered under exactly that name, on each route the manual names, and
# nothing of it runs; two names never share a function.
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
# zsh evaluates a function name made from the name in fpath, and fish
# expands the name of complete -c again.
for name in 'x;:>CANARY' 'x$(:>CANARY)' 'x`:>CANARY`' 'a>b' 'a|b' 'a(b' 'a#b' 'a*b' 'a{b,c}' "it's" 'a~b'; do
    refused zsh "$name"
done
for name in '*' "it's" 'a$b' '~ab' '%self' 'a?b' 'a{b,c}' 'a"b' 'a=b'; do refused fish "$name"; done
for shell in tcsh Bash 'bash ' '' sh; do refused "$shell" tool; done

odd='it'\''s$(touch${IFS}pwned-1)`touch${IFS}pwned-2`"*;\'
for name in "$odd" -x a=b; do
    "$tool" completion bash "$name" >s.bash && bash --norc -c 'source ./s.bash && complete -p -- "$1"' _ "$name" |
        grep -q -- '-F _argops_' || fail "bash did not register [$name]"
done
# fish, sourced and from a completions directory (for a command it finds
# in PATH): the name completes.
mkdir -p cfg/fish/completions bin
for name in g++ -x 'a.b-c_d:e@f,g'; do
    "$tool" completion fish "$name" >s.fish && cp s.fish "cfg/fish/completions/$name.fish" || exit 1
    printf '#!/bin/sh\n' >"bin/$name" && chmod +x "bin/$name" || exit 1
    for src in 'source ./s.fish;' ''; do
        PATH=$PWD/bin:$PATH XDG_CONFIG_HOME=$PWD/cfg fish -c "$src"' complete -C"$argv[1] -"' -- "$name" |
            grep -q '^-v' || fail "fish ${src:-from its completions directory} does not complete [$name]"
    done
done
# zsh, sourced and as _<name> in fpath: registered under the name.
mkdir -p fp
for name in g++ %x 'a.b-c_d:e@f,g%h'; do
    "$tool" completion zsh "$name" >s.zsh && cp s.zsh "fp/_$name" || exit 1
    zsh -fc 'autoload -Uz compinit && compinit -D && source ./s.zsh && print -r -- ${_comps[$1]}' _ "$name" |
        grep -q '^_argops_' || fail "zsh did not register [$name] when sourced"
    zsh -fc 'fpath=(./fp $fpath); autoload -Uz compinit && compinit -D && print -r -- ${_comps[$1]}' _ "$name" |
        grep -qxF "_$name" || fail "zsh did not register [$name] from fpath"
done

for name in a-b a_b; do "$tool" completion bash "$name"; done >two.bash
fns=$(bash --norc -c 'source ./two.bash && complete -p a-b a_b' | sed 's/.*-F \([^ ]*\).*/\1/' | sort -u | wc -l)
[[ $fns == 2 ]] || fail "a-b and a_b share a function"

compgen -G "$dir/pwned*" >/dev/null && fail "sourcing ran a command of the name"
[[ $status == 0 ]] && echo "ok: names"
exit $status
