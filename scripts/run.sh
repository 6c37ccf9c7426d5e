#!/usr/bin/env bash
# Main job: install what is missing, build in Release, make the demo database
# and print from it.  Outputs go to out/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVIREO_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"

mkdir -p out
./build/bin/vireo demo --db out/demo.fdb --force
