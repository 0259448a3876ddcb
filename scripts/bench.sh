#!/usr/bin/env bash
# Builds and runs the benchmark suite (not run by CI): every heavy path on shops of 1,000,
# 100,000 and 1,000,000 ledger rows beside SQLite alone, printed as one table.
# The shops are generated once into build/bench-shops (or $BENCH_SHOPS) and reused; a
# working copy is made for each run. Arguments go to the suite (for example: 1000 100000,
# or --only "sales" 1000000).
set -euo pipefail
cd "$(dirname "$0")/.."
shops="${BENCH_SHOPS:-build/bench-shops}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j3 --target bench_suite >/dev/null
echo "machine: $(nproc) cores; $(uptime)"
if [ "$#" -eq 0 ]; then
  set -- 1000 100000 1000000
fi
QT_QPA_PLATFORM=offscreen ./build/bench/bench_suite --shops "$shops" "$@"
