#!/usr/bin/env bash
# Installs what is missing, builds engrave and engraves the shipped sample into out/: the
# engraving with the default settings and a contact sheet of every pattern and colour schema.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
# The same build tree and settings as scripts/test.sh, so either command reuses the other's work.
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build/native -j "$jobs" --target engrave

engrave=build/native/cli/engrave
mkdir -p out
"$engrave" tests/data/astronaut.png -o out/astronaut-engraved.png
"$engrave" --sheet tests/data/astronaut.png -o out/astronaut-sheet.png
echo "Engraved:      out/astronaut-engraved.png"
echo "Contact sheet: out/astronaut-sheet.png"
