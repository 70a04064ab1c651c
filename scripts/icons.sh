#!/usr/bin/env bash
# Renders the application icon dist/icons/velmo.svg to the PNG sizes of the
# hicolor icon theme (dist/icons/hicolor/NxN/apps/velmo.png). The PNG files
# are kept in the repository, so building needs no SVG renderer; run this
# after changing the SVG. Needs rsvg-convert (Debian librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../dist/icons"
for n in 16 22 24 32 48 64 128 256; do
  mkdir -p "hicolor/${n}x${n}/apps"
  rsvg-convert -w "$n" -h "$n" velmo.svg -o "hicolor/${n}x${n}/apps/velmo.png"
done
