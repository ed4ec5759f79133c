# SPDX-License-Identifier: MIT
# Sourced by the tests of shells/: how the shells, which are the build
# machine's, run the program under test. A cross build hands its emulator
# after the program, and a script that runs the program through it stands
# in for the program.
# runner <dir> <program> [emulator ...]: prints the path to run the program
# by, its own or, with an emulator, <dir>/<the program's name>.
runner() {
    local dir=$1 prog
    prog=$(realpath "$2") || return 1
    shift 2
    if [[ $# == 0 ]]; then
        printf '%s\n' "$prog"
        return
    fi
    mkdir -p "$dir" || return 1
    {
        printf '#!/bin/bash\nexec'
        printf ' %q' "$@" "$prog"
        printf ' "$@"\n'
    } >"$dir/${prog##*/}" && chmod +x "$dir/${prog##*/}" && printf '%s\n' "$dir/${prog##*/}"
}
