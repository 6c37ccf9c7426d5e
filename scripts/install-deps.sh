#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only
# when one of them is missing.  With "tests", also what only the test command
# needs: clang with its sanitizer runtimes and libFuzzer, and chromium with
# its WebDriver for the browser test.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ccache git
  libgtest-dev libgmock-dev libbenchmark-dev
  firebird3.0-server-core libfbclient2 firebird-dev
  firebird3.0-server firebird3.0-utils iproute2
  nlohmann-json3-dev libcli11-dev
  libcairo2-dev libpango1.0-dev fonts-dejavu-core
  poppler-utils
  libcpp-httplib-dev
  libjpeg62-turbo-dev
  libical-dev
  libxlsxwriter-dev libminizip-dev libxml2-dev
)
if [ "${1:-}" = "tests" ]; then
  PACKAGES+=(clang-14 libclang-rt-14-dev libfuzzer-14-dev)
  # The browser test: headless chromium driven through WebDriver.
  PACKAGES+=(chromium chromium-driver python3-selenium)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Instalando: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

# firebird3.0-server brings a system service; the tests run a private server
# of their own (scripts/firebird-server.sh) and never use it.  It is kept
# from starting while the packages install (a policy-rc.d that refuses,
# unless the machine already has one), and stopped and disabled after.
# Without a terminal debconf does not ask for a SYSDBA password: the package
# gives the system server a random one.
POLICY=/usr/sbin/policy-rc.d
own_policy=""
if [ ! -e "$POLICY" ]; then
  printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$POLICY" >/dev/null
  $SUDO chmod 755 "$POLICY"
  own_policy=1
fi
remove_policy() {
  if [ -n "$own_policy" ]; then $SUDO rm -f "$POLICY"; fi
}
trap remove_policy EXIT

$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null

if [ -x /etc/init.d/firebird3.0 ]; then
  if pidof fbguard >/dev/null; then $SUDO /etc/init.d/firebird3.0 stop >/dev/null || true; fi
  $SUDO update-rc.d firebird3.0 disable >/dev/null 2>&1 || true
  if [ -d /run/systemd/system ]; then
    $SUDO systemctl disable --now firebird3.0.service >/dev/null 2>&1 || true
  fi
fi
