#!/bin/bash
# Renders the icon's PNG sizes from quenlor.svg, then the Windows icon.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick. Run after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" quenlor.svg -o "quenlor-$size.png"
done
./make_ico.py
