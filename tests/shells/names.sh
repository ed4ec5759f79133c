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
# zsh evaluates a function name made from the name in fpath, fish expands
# the name of complete -c again, and bash-completion's loader finds only a
# name typed as it is.
for name in 'x;:>CANARY' 'x$(:>CANARY)' 'x`:>CANARY`' 'a>b' 'a|b' 'a(b' 'a#b' 'a*b' 'a{b,c}' "it's" 'ab~' 'a!!b'; do
    refused zsh "$name"
done
for name in '*' "it's" 'a$b' '~ab' '%self' 'a?b' 'a{b,c}' 'a"b' 'a=b'; do refused fish "$name"; done
for name in "it's" 'a$(:>CANARY)' 'a;b' 'a!b' 'a{b,c}' 'a*b' 'a=b' '#ab' '%ab' '^ab' '~ab'; do refused bash "$name"; done
for shell in tcsh Bash 'bash ' '' sh; do refused "$shell" tool; done

# What each shell takes, at its edges; each is an executable in bin/.
bash_names=(-x ':a' ']b' 'a#b%c+d,e-f.g:h@i]j^k_l~m')
zsh_names=(g++ '%x' ']a' 'a.b-c_d:e@f,g%h]i')
fish_names=(g++ -x '#a' ']a' 'a!b#c&d(echo>CANARY)f;g<h>i[j]k^l`m|n~o%p-q+r,s.t:u@v_w')
mkdir -p bin bc/completions cfg/fish/completions fp
for name in "${bash_names[@]}" "${zsh_names[@]}" "${fish_names[@]}"; do
    printf '#!/bin/sh\n' >"bin/$name" && chmod +x "bin/$name" || exit 1
done
export PATH=$PWD/bin:$PATH
# bash, sourced and by bash-completion's loader (given the word as typed).
for name in "${bash_names[@]}"; do
    "$tool" completion bash "$name" >s.bash && cp s.bash "bc/completions/$name" || exit 1
    bash --norc -c 'source ./s.bash && complete -p -- "$1"' _ "$name" | grep -q -- '-F _argops_' ||
        fail "bash did not register [$name] when sourced"
    BASH_COMPLETION_USER_DIR=$PWD/bc bash --norc -c 'source /usr/share/bash-completion/bash_completion &&
        reg=$(complete -p -D) && fn=${reg#*-F } && ${fn%% *} "$1"; complete -p -- "$1"' _ "$name" |
        grep -q -- '-F _argops_' || fail "bash-completion's loader did not register [$name]"
done
# fish, sourced and from a completions directory: the name, typed quoted
# where fish needs it, completes its options.
for name in "${fish_names[@]}"; do
    "$tool" completion fish "$name" >s.fish && cp s.fish "cfg/fish/completions/$name.fish" || exit 1
    for src in 'source ./s.fish;' ''; do
        XDG_CONFIG_HOME=$PWD/cfg fish -c "$src"' complete -C(string escape -- $argv[1])" -"' -- "$name" |
            grep -q '^-v' || fail "fish ${src:-from its completions directory} does not complete [$name]"
    done
done
# zsh: sourced, registered under the name; from fpath, completing at TAB
# in an interactive zsh (zpty), with the name typed quoted.
for name in "${zsh_names[@]}"; do
    "$tool" completion zsh "$name" >s.zsh && cp s.zsh "fp/_$name" || exit 1
    zsh -fc 'autoload -Uz compinit && compinit -D && source ./s.zsh && print -r -- ${_comps[$1]}' _ "$name" |
        grep -q '^_argops_' || fail "zsh did not register [$name] when sourced"
done
timeout 120 zsh -f /dev/stdin "${zsh_names[@]}" >tab.out 2>&1 <<'EOF'
zmodload zsh/zpty
zpty z 'TERM=dumb COLUMNS=200 zsh -f -i'
zpty -w z "PS1='READY> '; unsetopt prompt_sp; unset zle_bracketed_paste"
zpty -w z 'fpath=(./fp $fpath); autoload -Uz compinit; compinit -d ./dump'
zpty -w z 'probe() { zle list-choices; BUFFER="print -r EN\"\"DMARK"; zle accept-line }; zle -N probe; bindkey "^X^L" probe'
zpty -w z 'print -r EN""DMARK'
zpty -r -m z out '*ENDMARK*READY> '
for name; do
    zpty -w -n z "${(q)name} -"$'\C-x\C-l'
    zpty -r -m z out '*ENDMARK*READY> '
    [[ $out == *$'\n-v '* ]] || print -r -- "FAIL: zsh from fpath does not complete [$name] at TAB: $out"
done
zpty -d z
EOF
grep -a FAIL tab.out && status=1

for name in a-b a_b; do "$tool" completion bash "$name"; done >two.bash
fns=$(bash --norc -c 'source ./two.bash && complete -p a-b a_b' | sed 's/.*-F \([^ ]*\).*/\1/' | sort -u | wc -l)
[[ $fns == 2 ]] || fail "a-b and a_b share a function"

[[ -e CANARY ]] && fail "completing ran a command of the name"
[[ $status == 0 ]] && echo "ok: names"
exit $status
