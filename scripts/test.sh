#!/usr/bin/env bash
# Builds everything and runs every test (each case in a process of its own, as many at once
# as there are processors); prints the test runner's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel "$(nproc)"
