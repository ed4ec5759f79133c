#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The one command behind the README's Performance figures: installs what the
# benchmarks need (bench/setup.sh), builds them with the "bench" preset and
# prints every figure as a ratio to its baseline, and the peers side by side.
# Extra arguments go to bench/measure.py (--quick: one brief pass).
set -euo pipefail
cd "$(dirname "$0")/.."

bash bench/setup.sh
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake --workflow --preset bench >"$log" 2>&1; then
    cat "$log"
    exit 1
fi
python3 bench/measure.py build/bench "$@"
