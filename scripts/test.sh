#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test tier.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
elapsed() { echo "== $1 (after $SECONDS s)"; }
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build/native -j "$jobs"
elapsed "native build"
status=0
ctest --test-dir build/native --output-on-failure -j "$jobs" || status=1
elapsed "native tests"

# The Windows tier: the real .8bf cross-built and run under Wine, even when a native test failed.
MV_JOBS="$jobs" scripts/test-windows.sh build/windows || status=1
elapsed "Windows tier"

# The unit suite under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each
# fuzz target (preset files, recorded actions, arbitrary parameter records through a whole run).
scripts/fuzz.sh --ci || status=1
elapsed "sanitizer and fuzz runs"
exit $status
