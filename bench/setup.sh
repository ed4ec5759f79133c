#!/usr/bin/env bash
# Installs what the benchmarks need: Google Benchmark, valgrind and the option
# parsers measured beside argops. Only the benchmarks use them; the library
# and its tests never do.
set -euo pipefail

need=()
for pkg in cmake g++ libbenchmark-dev valgrind python3 \
           libpopt-dev libargtable2-dev libcxxopts-dev libcli11-dev; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
fi
