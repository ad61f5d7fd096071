#!/usr/bin/env bash
# Installs the build and test dependencies on Debian 12 when any is missing. Safe to run again.
set -euo pipefail

packages=(g++ make cmake ninja-build clang libclang-rt-14-dev qt6-base-dev qt6-webengine-dev qt6-pdf-dev
  libjpeg62-turbo-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth poppler-utils qpdf curl
  python3 fontconfig fonts-dejavu-core locales libglib2.0-bin cups-daemon cups-client
  # The end-to-end test: the accessibility bus and its Python client, a session bus, mouse and
  # keyboard for the virtual screen, and a screen dump (xwd) to read colours from.
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus xdotool x11-apps)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
