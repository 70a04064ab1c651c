#!/usr/bin/env bash
# Sets everything up and runs Velmo on a sample data file. Without a display
# it runs the headless demo through velmo-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

mkdir -p demo
SAMPLE=demo/sample.mdb
./build/cli/velmo-cli new "$SAMPLE" --force --settings demo/Velmo.ini

echo "Sample data file: $SAMPLE"
./build/cli/velmo-cli info "$SAMPLE" --settings demo/Velmo.ini
