#!/usr/bin/env bash
# Sets everything up and runs Velmo on a sample data file. Without a display
# it runs the headless demo through velmo-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

mkdir -p demo
SAMPLE=demo/sample.mdb
# --- sample data file: imported from examples/ (begin) ---
rm -f "$SAMPLE.new"
./build/cli/velmo-cli import "$SAMPLE.new" --structure examples/structure.csv --items examples/items.csv \
  --partners examples/partners.csv --header --settings demo/Velmo.ini
mv -f "$SAMPLE.new" "$SAMPLE"
# --- sample data file (end) ---

echo "Sample data file: $SAMPLE"
./build/cli/velmo-cli info "$SAMPLE" --settings demo/Velmo.ini
