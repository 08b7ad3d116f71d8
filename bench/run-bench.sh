#!/usr/bin/env bash
# Builds and runs the engraving benchmark, then prints its table. Extra arguments go to mv_bench
# (--quick for 3 MP only, --large for 24 MP only, --case NAME for one case, --runs N, --oracle-runs N,
# --no-gegl, --no-oracle). With --dialog first, times the dialog's answers instead (--runs N,
# --no-whole).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/benchmark
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMV_BUILD_TESTS=OFF > /dev/null
target=mv_bench
if [ "${1:-}" = "--dialog" ]; then
    target=mv_dialog_bench
    shift
fi
cmake --build "$build" -j 2 --target "$target" > /dev/null
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/$target" "$@"
