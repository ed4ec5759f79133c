#!/bin/bash
# SPDX-License-Identifier: MIT
# The bash scripts of show_tool's table, without and with its long names
# (as tool and ltool), loaded three ways (sourced from the
# tool into a bare bash; sourced beside the bash-completion package; found
# by that package's loader in a completions directory), asked through the
# function that `complete` registered what it offers at each point of a
# line.
# usage: bash.sh <show_tool> [emulator ...]
set -u
# What the test runs: without it the test is skipped, and fails in CI.
for p in bash; do
    command -v "$p" >/dev/null || { echo "no $p"; [ "${CI:-}" ] && exit 1; exit 77; }
done
[ -e /usr/share/bash-completion/bash_completion ] || { echo "no bash-completion"; [ "${CI:-}" ] && exit 1; exit 77; }
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
source "$(dirname "$0")/runner.sh" && tool=$(runner "$dir/run" "$@") || exit 1
mkdir -p "$dir/files/adir" "$dir/bc/completions" && cd "$dir/files" && touch afile bfile ./-dash || exit 1
"$tool" completion bash tool >"$dir/tool.bash" && cp "$dir/tool.bash" "$dir/bc/completions/tool" || exit 1
"$tool" completion-long bash ltool >"$dir/ltool.bash" && cp "$dir/ltool.bash" "$dir/bc/completions/ltool" || exit 1
status=0
for script in tool ltool; do bash -n "$dir/$script.bash" || { echo "FAIL: bash -n $script"; status=1; }; done

# A line, and what the completion offers for its last word, sorted.
cases='tool -|-% -B -N -U -c -d -n -o -q -t -v -x
tool afile -|-% -B -N -U -c -d -n -o -q -t -v -x
tool -B |false true
tool -Bt|-Btrue
tool -o |-dash adir afile bfile
tool -oa|-oadir -oafile
tool -n |
tool -n -v |-dash adir afile bfile
tool |-dash adir afile bfile
tool a|adir afile
tool -vq|-vq -vq% -vqB -vqN -vqU -vqc -vqd -vqn -vqo -vqt -vqx
tool -vn|-vn
tool -vn |
tool -vx |-dash adir afile bfile
tool -v -- -|-dash
tool -$|
ltool --|--bool --dollar --newline --out-file --output --passes --verbose
ltool -v --o|--out-file --output
ltool --bool=|false true
ltool --bool=t|true
ltool --bool |false true
ltool --output=a|adir afile
ltool --output |-dash adir afile bfile
ltool --out-file a|adir afile
ltool --dollar=|-dash adir afile bfile
ltool --passes |
ltool --passes 3 |-dash adir afile bfile
ltool --passes=3 --output=afile --newline -v|-v -v% -vB -vN -vU -vc -vd -vn -vo -vq -vt -vx
ltool --verbose |-dash adir afile bfile
ltool --bool t -n|-n
ltool -- --|'

# With '=' taken out of COMP_WORDBREAKS, --name=value is one word, and
# completes as one.
joined='ltool --bool=|--bool=false --bool=true
ltool --output=a|--output=adir --output=afile'

# The words as bash splits them: at blanks, and around the '=' of
# COMP_WORDBREAKS.
probe() {
    local reg fn w
    local -a words
    read -ra words <<<"$1"
    [[ $1 == *' ' ]] && words+=('')
    COMP_WORDS=()
    for w in "${words[@]}"; do
        if [[ $COMP_WORDBREAKS == *=* && $w == ?*=* ]]; then
            COMP_WORDS+=("${w%%=*}" =)
            w=${w#*=}
            [[ $w ]] && COMP_WORDS+=("$w")
        else
            COMP_WORDS+=("$w")
        fi
    done
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$1 COMP_POINT=${#1}
    reg=$(complete -p "${COMP_WORDS[0]}") || { echo "nothing registered"; return; }
    fn=${reg#*-F } fn=${fn%% *}
    "$fn" "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd' '
}

# The user's own shell options, as a .bashrc may set them: the script must
# complete the same under each.
for options in '' 'shopt -s nocasematch' 'shopt -s extglob' 'shopt -s failglob' 'shopt -s nullglob' 'set -f' \
    'set -u'; do
for load in bare package loader; do
    bash --norc --noprofile -c '
        load=$1 dir=$2 cases=$3 tool=$4 joined=$5
        '"$options"'
        [[ $load == bare ]] || source /usr/share/bash-completion/bash_completion || echo "FAIL: no bash-completion"
        if [[ $load == loader ]]; then
            export BASH_COMPLETION_USER_DIR=$dir/bc
            [[ $(complete -p tool 2>&1) == *-F* ]] && echo "FAIL $load: registered before loading"
            reg=$(complete -p -D) && fn=${reg#*-F } && { ${fn%% *} tool; ${fn%% *} ltool; }
        elif [[ $load == bare ]]; then
            source <("$tool" completion bash tool)
            source <("$tool" completion-long bash ltool)
        else
            source "$dir/tool.bash"
            source "$dir/ltool.bash"
        fi
        '"$(declare -f probe)"'
        check() {
            while IFS="|" read -r line want; do
                got=$(probe "$line")
                [[ $got == "$want" ]] || echo "FAIL $load: [$line] offers [$got], not [$want]"
            done
        }
        check <<<"$cases"
        COMP_WORDBREAKS=${COMP_WORDBREAKS//=}
        check <<<"$joined"
    ' _ "$load" "$dir" "$cases" "$tool" "$joined" >"$dir/out" 2>&1
    if [[ -s $dir/out ]]; then echo "with [$options]:"; cat "$dir/out"; status=1; else echo "ok: bash, $load, [$options]"; fi
done
done

# Every marker a description or value would create if it ran.
if compgen -G "$dir/files/pwned*" >/dev/null || compgen -G "$dir/pwned*" >/dev/null; then
    echo "FAIL: sourcing the script ran a command"
    status=1
fi
exit $status
