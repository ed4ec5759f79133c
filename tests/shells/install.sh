#!/bin/bash
# SPDX-License-Identifier: MIT
# The README's installs of numseq's completion, each in a fresh home of its
# own, then a new shell: it must complete numseq's options.
# usage: install.sh <numseq> [emulator ...]
set -u
for p in bash zsh fish; do
    command -v "$p" >/dev/null || { echo "no $p"; [ "${CI:-}" ] && exit 1; exit 77; }
done
run=$(mktemp -d) && trap 'rm -rf "$run"' EXIT
source "$(dirname "$0")/runner.sh" && bin=$(dirname "$(runner "$run" "$@")") || exit 1
export PATH=$bin:$PATH
status=0
fail() { echo "FAIL: $*"; status=1; }
fresh() { export HOME=$(mktemp -d) XDG_CONFIG_HOME= && cd "$HOME" || exit 1; }

fresh
echo 'source <(numseq -C bash)' >> ~/.bashrc
reg=$(bash -ic 'complete -p numseq' 2>/dev/null)
[[ $reg == *'-F _argops_numseq'* ]] || fail "bash: ~/.bashrc registers [$reg]"

fresh
echo 'autoload -Uz compinit && compinit -D' >> ~/.zshrc
echo 'source <(numseq -C zsh)' >> ~/.zshrc
reg=$(zsh -ic 'print -r -- ${_comps[numseq]}' 2>/dev/null)
[[ $reg == _argops_numseq ]] || fail "zsh: ~/.zshrc registers [$reg]"

fresh
mkdir -p ~/.config/fish/completions && numseq -C fish > ~/.config/fish/completions/numseq.fish
got=$(fish -c 'complete -C"numseq -"' | cut -f1 | LC_ALL=C sort | paste -sd' ')
[[ $got == '-C -f -h -n -r -s -w' ]] || fail "fish: ~/.config/fish/completions offers [$got]"

[[ $status == 0 ]] && echo "ok: the README's installs in bash, zsh and fish"
exit $status
