#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only
# when one of them is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ccache git
  libgtest-dev libgmock-dev libbenchmark-dev
  firebird3.0-server-core libfbclient2 firebird-dev
  nlohmann-json3-dev libcli11-dev
  libcairo2-dev libpango1.0-dev fonts-dejavu-core
  poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Instalando: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
