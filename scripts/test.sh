#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DVIREO_TESTS=ON >/dev/null
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j"$(nproc)" --timeout 300
