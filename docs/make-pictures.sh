#!/usr/bin/env bash
# Remakes the README's pictures in docs/ with engrave itself (after scripts/demo.sh has built it;
# the presets' sheet also needs the target write-shipped-presets of the same build).
set -euo pipefail
cd "$(dirname "$0")/.."

engrave=build/native/cli/engrave
sample=tests/data/astronaut.png
"$engrave" -q "$sample" -o docs/astronaut-waves.png
"$engrave" -q "$sample" -o docs/astronaut-rings-color.png --pattern "Rings waves 3" --color-schema "Initial color" --space 12
"$engrave" -q "$sample" -o docs/astronaut-spiral-split.png --pattern "Spiral" --color-schema "Split color" --center-y -150
"$engrave" -q --sheet "$sample" -o docs/astronaut-sheet.png

# The presets that ship, exactly as the package holds them.
presets=$(mktemp -d)
trap 'rm -rf "$presets"' EXIT
build/native/packaging/write-shipped-presets "$presets" > /dev/null
"$engrave" -q --sheet-presets "$presets" "$sample" -o docs/astronaut-presets.png
