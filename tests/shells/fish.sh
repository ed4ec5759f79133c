#!/bin/bash
# SPDX-License-Identifier: MIT
# The fish scripts of show_tool's table, without and with its long names
# (as tool and ltool), sourced and autoloaded from a
# completions directory, asked by `complete -C` what it offers at each point
# of a line (in a configuration directory of its own); beside each option
# fish must show the row's description as written (control characters as
# blanks).
# usage: fish.sh <show_tool> [emulator ...]
set -u
# What the test runs: without it the test is skipped, and fails in CI.
for p in fish; do
    command -v "$p" >/dev/null || { echo "no $p"; [ "${CI:-}" ] && exit 1; exit 77; }
done
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
source "$(dirname "$0")/runner.sh" && tool=$(runner "$dir/run" "$@") || exit 1
# fish autoloads the completion of a command found in PATH only.
mkdir -p "$dir/files/adir" "$dir/cfg/fish/completions" "$dir/bin" || exit 1
for name in tool ltool; do
    printf '#!/bin/sh\n' >"$dir/bin/$name" && chmod +x "$dir/bin/$name" || exit 1
done
export PATH=$dir/bin:$PATH && cd "$dir/files" && touch afile bfile ./-dash || exit 1
"$tool" completion fish tool >"$dir/tool.fish" && cp "$dir/tool.fish" "$dir/cfg/fish/completions/tool.fish" || exit 1
"$tool" completion-long fish ltool >"$dir/ltool.fish" && cp "$dir/ltool.fish" "$dir/cfg/fish/completions/ltool.fish" ||
    exit 1
status=0
for name in tool ltool; do fish -n "$dir/$name.fish" || { echo "FAIL: fish -n $name"; status=1; }; done

# A line, and what fish offers for its last word, sorted. fish 4 offers too
# the names that hold the typed letters in order: a prefix is one only the
# wanted names hold.
cases='tool -B |false true
tool -Bt|-Btrue
tool -o |-dash adir/ afile bfile
tool -n |
tool |-dash adir/ afile bfile
tool a|adir/ afile
tool -vq|-vq% -vqB -vqN -vqU -vqc -vqd -vqn -vqo -vqt -vqx
tool -vn |
tool -vx |-dash adir/ afile bfile
ltool --|--bool --dollar --newline --out-file --output --passes --verbose
ltool --ou|--out-file --output
ltool --bool=|--bool=false --bool=true
ltool --bool |false true
ltool --output=a|--output=adir/ --output=afile
ltool --out-file |-dash adir/ afile bfile
ltool --dollar=b|--dollar=bfile
ltool --passes |'

# What `tool -` must offer: each offered row's option and its description.
# fish offers the file names that start with '-' as well.
"$tool" table | while IFS=$'\t' read -r hex code dsc; do
    # fish offers a row without a description as its option alone
    [[ " 76 71 63 6e 42 6f 78 55 64 74 25 4e " == *" $hex "* && $dsc != 'second row'* ]] &&
        printf -- "-\\x$hex${dsc:+\t}%s\n" "$dsc"
done | { cat; echo -dash; } | LC_ALL=C sort >"$dir/want"

for load in sourced autoloaded; do
    src=; [[ $load == sourced ]] && src="source $dir/tool.fish; source $dir/ltool.fish;"
    XDG_CONFIG_HOME=$dir/cfg fish -c "$src"' complete -C"tool -"' | LC_ALL=C sort >"$dir/got"
    diff "$dir/want" "$dir/got" >"$dir/out" || { echo "FAIL $load: tool - (< wanted, > offered)"; cat "$dir/out"; status=1; }
    while IFS='|' read -r line want; do
        got=$(XDG_CONFIG_HOME=$dir/cfg fish -c "$src"' complete -C"$argv[1]"' "$line" |
              cut -f1 | LC_ALL=C sort | paste -sd' ')
        [[ $got == "$want" ]] || { echo "FAIL $load: [$line] offers [$got], not [$want]"; status=1; }
    done <<<"$cases"
    [[ $status == 0 ]] && echo "ok: fish, $load"
done

# A description that holds a byte that is no UTF-8 and a C1 control: fish
# would drop the first and hide the option for the second.
"$tool" bytes fish >"$dir/bytes.fish" || exit 1
got=$(fish -c "source $dir/bytes.fish; complete -C'bytes -'" | grep -v '^-dash$')
[[ $got == $'-e\tcaf? end' ]] || { echo "FAIL: bytes - offers [$got], not [-e<TAB>caf? end]"; status=1; }

if compgen -G "$dir/files/pwned*" >/dev/null; then
    echo "FAIL: sourcing the script ran a command"
    status=1
fi
exit $status
