#!/usr/bin/env bash
# Sets everything up and starts Velmo on the sample data file demo/sample.mdb.
# Without a display it says so and runs the headless demo through velmo-cli
# instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

CLI=./build/cli/velmo-cli
mkdir -p demo
SAMPLE="$PWD/demo/sample.mdb"
DEMO_SETTINGS="$PWD/demo/Velmo.ini"

# --- The sample data file ---------------------------------------------------
# demo/sample.mdb is made afresh on every run from the CSV files in examples/.
rm -f "$SAMPLE.new"
"$CLI" import "$SAMPLE.new" --structure examples/structure.csv --items examples/items.csv \
  --partners examples/partners.csv --header --settings "$DEMO_SETTINGS"
mv -f "$SAMPLE.new" "$SAMPLE"
# -----------------------------------------------------------------------------

echo "Sample data file: $SAMPLE"
"$CLI" info "$SAMPLE" --settings "$DEMO_SETTINGS"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # Velmo reopens the data file named in its settings file (Velmo.ini beside
  # the program): point it at the sample, keeping every other line.
  INI=build/app/Velmo.ini
  touch "$INI"
  awk -v path="$SAMPLE" '
    BEGIN { done = 0 }
    /^\[/ { if (insec && !done) { print "PATH=" path "\r"; done = 1 }
            insec = (toupper($0) ~ /^\[DATABASE\]/) }
    insec && toupper($0) ~ /^PATH=/ { if (!done) { print "PATH=" path "\r"; done = 1 }; next }
    { print }
    END { if (!done) { if (!insec) print "[DATABASE]\r"; print "PATH=" path "\r" } }
  ' "$INI" > "$INI.tmp" && mv "$INI.tmp" "$INI"
  echo "Starting Velmo on $SAMPLE"
  exec ./build/app/Velmo
fi

echo "No display (DISPLAY and WAYLAND_DISPLAY are not set): Velmo cannot show its window here."
echo "Running the headless demo through velmo-cli instead."
echo
echo "== velmo-cli report items $SAMPLE --text   (the main window's search: every category, no prefix)"
"$CLI" report items "$SAMPLE" --text --settings "$DEMO_SETTINGS"
echo
echo "== velmo-cli report items $SAMPLE --kbn 2,3 --text   (bodies and sets)"
"$CLI" report items "$SAMPLE" --kbn 2,3 --text --settings "$DEMO_SETTINGS"
echo
echo "== velmo-cli report partners $SAMPLE --text   (the partner list)"
"$CLI" report partners "$SAMPLE" --text --settings "$DEMO_SETTINGS"
echo
ROOT=$("$CLI" report items "$SAMPLE" --kbn 3 --text --settings "$DEMO_SETTINGS" | grep -v '^#' | head -n 1 | cut -f 1)
if [ -n "$ROOT" ]; then
  echo "== velmo-cli bom $SAMPLE $ROOT --all-levels   (the structure window's list over all levels)"
  "$CLI" bom "$SAMPLE" "$ROOT" --all-levels --settings "$DEMO_SETTINGS"
  echo
  echo "== velmo-cli report cost $SAMPLE --root $ROOT --text   (the cost table)"
  "$CLI" report cost "$SAMPLE" --root "$ROOT" --text --settings "$DEMO_SETTINGS"
  echo
  PART=$("$CLI" bom "$SAMPLE" "$ROOT" --all-levels --settings "$DEMO_SETTINGS" | awk -F '\t' '$2 == "Parts" { print $1; exit }')
  if [ -n "$PART" ]; then
    echo "== velmo-cli where-used $SAMPLE $PART --all-levels   (the parent search)"
    "$CLI" where-used "$SAMPLE" "$PART" --all-levels --settings "$DEMO_SETTINGS"
    echo
  fi
  "$CLI" report structure "$SAMPLE" --root "$ROOT" -o demo/structure.pdf --settings "$DEMO_SETTINGS"
  echo "Structure table of $ROOT printed to demo/structure.pdf"
fi
"$CLI" report items "$SAMPLE" -o demo/items.pdf --settings "$DEMO_SETTINGS"
echo "Item list printed to demo/items.pdf"
