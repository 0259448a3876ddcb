#!/usr/bin/env bash
# Builds the program and starts it on TRZData1.db beside the program. With no database there
# yet, it first creates one holding the sample shop (the program has no windows of its own to
# enter warehouses, staff, suppliers or goods); the README says how to start on an empty one.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHOP_TESTS=ON >/dev/null
cmake --build build --target shop make_sample_shop
if [ ! -e build/TRZData1.db ]; then
  ./build/tests/make_sample_shop build/TRZData1.db >/dev/null
  echo "No database yet: build/TRZData1.db was created with the sample shop (the README says how to start on an empty one)."
fi
exec ./build/shop "$@"
