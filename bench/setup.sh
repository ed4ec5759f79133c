#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what the benchmarks need: Google Benchmark, valgrind, dpkg-dev (for
# Debian's hardened flags from dpkg-buildflags) and the option parsers
# measured beside argops. Only the benchmarks use them; the library and its
# tests never do.
set -euo pipefail
cd "$(dirname "$0")/.."

bash .ci/need cmake g++ libbenchmark-dev valgrind python3 \
    dpkg-dev libpopt-dev libargtable2-dev libcxxopts-dev libcli11-dev
