#!/usr/bin/env bash
# Installs the Debian packages Velmo needs to build, test and run, then
# configures and builds it in build/. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(g++ cmake make pkg-config libsqlite3-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev fonts-ipafont-gothic poppler-utils xvfb xauth)
# A locale whose decimal mark is a comma: the tests run once more under it.
PACKAGES+=(locales)
# The install and package tests: menu entries, the manual page, the .deb.
PACKAGES+=(desktop-file-utils)
PACKAGES+=(man-db)
PACKAGES+=(dpkg-dev)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Generating the locale de_DE.UTF-8"
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
