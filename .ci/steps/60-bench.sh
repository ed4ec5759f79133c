#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# CI: the benchmarks and the peer programs still build and run (briefly),
# every parser still ends the benchmark command line with the same values and
# refuses bad numbers, the stripped library stays within LIBRARY_LIMIT
# (bench/measure.py) and argops parses without allocating. The targets are
# reported only: CI's machine is shared.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash bench/run.sh --quick
