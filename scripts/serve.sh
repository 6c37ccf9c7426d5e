#!/usr/bin/env bash
# Builds what is missing, makes the demo database once and serves its
# reports in the browser on 127.0.0.1:8080 (or the address given):
#
#   bash scripts/serve.sh [HOST:PORT]
#
# Open the address it prints (it carries the access token).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVIREO_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p out
[ -f out/demo.fdb ] || ./build/bin/vireo demo --db out/demo.fdb
exec ./build/bin/vireo serve --db out/demo.fdb --listen "${1:-127.0.0.1:8080}"
