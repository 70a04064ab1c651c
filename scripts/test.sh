#!/usr/bin/env bash
# Builds Velmo and runs every test program (CTest).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
