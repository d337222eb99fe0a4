#!/usr/bin/env bash
# render-png.sh [OUTDIR] — the icon's PNG sizes from its SVG (librsvg2-bin),
# as committed under hicolor/; run again after changing the SVG.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/hicolor}
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$out/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$here/com.pellixwidget.PellixWidget.svg" \
    -o "$out/${size}x${size}/apps/com.pellixwidget.PellixWidget.png"
done
