#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests and runs them.
# The server-mode tests get a private Firebird server on a loopback port for
# the length of the run (scripts/firebird-server.sh); it is stopped however
# the run ends.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

bash scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DVIREO_TESTS=ON >/dev/null
cmake --build build-test -j"$(nproc)"

FB_DIR=$(mktemp -d /tmp/vireo-fbserver-XXXXXX)
stop_server() {
  bash "$ROOT/scripts/firebird-server.sh" stop "$FB_DIR" || true
  rm -rf "$FB_DIR"
}
trap stop_server EXIT
started=${EPOCHREALTIME//[.,]/}
bash scripts/firebird-server.sh start "$FB_DIR" >/dev/null
source "$FB_DIR/env"
unset ISC_USER ISC_PASSWORD  # the embedded tests keep their defaults
echo "Servidor Firebird de teste: $VIREO_FB_SERVER ($(((${EPOCHREALTIME//[.,]/} - started) / 1000)) ms)"

cd build-test
ctest --output-on-failure -j"$(nproc)" --timeout 300
