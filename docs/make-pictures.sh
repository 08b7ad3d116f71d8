#!/usr/bin/env bash
# Remakes the README's pictures in docs/ with engrave itself (after scripts/demo.sh has built it).
# The sheet of the shipped presets lives with the help page: help/make-pictures.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

engrave=build/native/cli/engrave
sample=tests/data/astronaut.png
"$engrave" -q "$sample" -o docs/astronaut-waves.png
"$engrave" -q "$sample" -o docs/astronaut-rings-color.png --pattern "Rings waves 3" --color-schema "Initial color" --space 12
"$engrave" -q "$sample" -o docs/astronaut-spiral-split.png --pattern "Spiral" --color-schema "Split color" --center-y -150
"$engrave" -q --sheet "$sample" -o docs/astronaut-sheet.png

# The vector output beside the raster engraving of the same settings, each with a zoomed crop,
# composed as one SVG and drawn by rsvg-convert (Debian librsvg2-bin).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp docs/astronaut-waves.png "$work/raster.png"
"$engrave" -q "$sample" -o "$work/vector.svg"
# The vector drawing goes into the page itself (an <image> of it would be drawn as pixels first).
body=$(sed '1,2d;$d' "$work/vector.svg")
crop="236 100 64 64"  # the eye, in pixels of the sample
cat > "$work/compare.svg" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"
     xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" width="1040" height="1088">
  <rect width="1040" height="1088" fill="#ffffff"/>
  <g font-family="sans-serif" font-size="20" fill="#333333">
    <text x="0" y="22">raster engraving (PNG)</text>
    <text x="528" y="22">vector engraving (SVG, drawn by rsvg-convert)</text>
  </g>
  <image x="0" y="32" width="512" height="512" xlink:href="raster.png"/>
  <svg x="528" y="32" width="512" height="512" viewBox="0 0 512 512">$body</svg>
  <rect x="236" y="132" width="64" height="64" fill="none" stroke="#d62020" stroke-width="2"/>
  <rect x="764" y="132" width="64" height="64" fill="none" stroke="#d62020" stroke-width="2"/>
  <svg x="0" y="560" width="512" height="512" viewBox="$crop">
    <image width="512" height="512" xlink:href="raster.png" image-rendering="optimizeSpeed"/>
  </svg>
  <svg x="528" y="560" width="512" height="512" viewBox="$crop">$body</svg>
</svg>
SVG
rsvg-convert "$work/compare.svg" -o docs/astronaut-svg.png
