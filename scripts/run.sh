#!/usr/bin/env bash
# Main job: install what is missing, build in Release, make the demo database
# and print the ledger of the demo's year from it.  Outputs go to out/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVIREO_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"

mkdir -p out
./build/bin/vireo demo --db out/demo.fdb --force
./build/bin/vireo print rptLedger --db out/demo.fdb \
  -p pDataInicial=01/01/2025 -p pDataFinal=31/12/2025 \
  -o out/razao.pdf --trace out/razao.trace
echo "Razão do banco de demonstração: $(pwd)/out/razao.pdf"
