#!/bin/bash
# Rebuilds examples/sample-v1.mdb, the sample data set as a data file of the
# previous layout (version 1), for trying Velmo1_2 and `velmo-cli convert`.
# Needs a built velmo-cli and the sqlite3 command.
#   bash scripts/make-sample-v1.sh [path/to/velmo-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
CLI=${1:-build/cli/velmo-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$CLI" import "$work/v2.mdb" --structure examples/structure.csv --items examples/items.csv \
    --partners examples/partners.csv --header --settings "$work/Velmo.ini"
"$CLI" new "$work/v1.mdb" --version 1 --settings "$work/Velmo.ini"
# Quantities as whole numbers, flags as the characters "1" and "0".
sqlite3 "$work/v1.mdb" "ATTACH '$work/v2.mdb' AS v2; BEGIN;
  INSERT INTO MasItem SELECT * FROM v2.MasItem ORDER BY rowid;
  INSERT INTO MasTori SELECT * FROM v2.MasTori ORDER BY rowid;
  INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG)
    SELECT CD1, CD2, CAST(INZU AS INTEGER), CAST(KFLG AS TEXT), CAST(CFLG AS TEXT) FROM v2.iStruct ORDER BY rowid;
  COMMIT; DETACH v2; VACUUM;"
cp "$work/v1.mdb" examples/sample-v1.mdb
"$CLI" info examples/sample-v1.mdb
