#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test tier.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"
