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

