#!/usr/bin/env bash
# Draws the help page's pictures with engrave itself (after scripts/demo.sh has built it, and the
# target write-shipped-presets of the same build): every pattern, every colour schema and a sheet
# of the shipped presets on a half-size copy of the sample. Commit the results.
set -euo pipefail
cd "$(dirname "$0")/.."

engrave=${ENGRAVE:-build/native/cli/engrave}
out=help/page/pictures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

python3 help/shrink-png.py tests/data/astronaut.png "$work/sample.png"
cp "$work/sample.png" "$out/original.png"

patterns=("Lines" "Waves 1" "Waves 2" "Rings" "Rings waves 1" "Rings waves 2" "Rings waves 3" "Rings waves 4"
          "Spiral" "Spiral waves 1" "Spiral waves 2" "Spiral waves 3" "Spiral waves 4")
for pattern in "${patterns[@]}"; do
    name=$(tr 'A-Z ' 'a-z-' <<< "$pattern")
    "$engrave" -q "$work/sample.png" -o "$out/pattern-$name.png" --pattern "$pattern" --space 10
done

schemas=("Initial color" "Split color" "Black and white")
for schema in "${schemas[@]}"; do
    name=$(tr 'A-Z ' 'a-z-' <<< "$schema")
    "$engrave" -q "$work/sample.png" -o "$out/schema-$name.png" --pattern "Waves 1" --color-schema "$schema" --space 10
done

# The presets that ship, exactly as the release package holds them (the README shows this too).
mkdir -p "$work/presets"
"$(dirname "$engrave")/../packaging/write-shipped-presets" "$work/presets" > /dev/null
"$engrave" -q --sheet-presets "$work/presets" "$work/sample.png" -o "$out/presets.png"
