#!/usr/bin/env bash
# Builds the program and starts it on TRZData1.db beside the program.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target shop
exec ./build/shop "$@"
