#!/usr/bin/env bash
# Fuzzing and sanitizer runs.
#   scripts/fuzz.sh [seconds]   each fuzz target for `seconds` (default 600), corpus kept in build/fuzz
#   scripts/fuzz.sh --ci        the unit suite under ASan+UBSan, then each fuzz target for 30 s
set -euo pipefail
cd "$(dirname "$0")/.."

mode=local
seconds=600
if [ "${1:-}" = "--ci" ]; then
    mode=ci
    seconds=30
elif [ -n "${1:-}" ]; then
    seconds=$1
fi
jobs=2  # the machine is shared; never more
status=0

if [ "$mode" = ci ]; then
    cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMV_SANITIZE=ON -DMV_BUILD_BENCH=OFF > /dev/null
    cmake --build build/sanitize -j "$jobs"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build/sanitize --output-on-failure -j "$jobs" || status=1
fi

CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMV_BUILD_FUZZ=ON \
    -DMV_SANITIZE=ON -DMV_BUILD_TESTS=OFF -DMV_BUILD_BENCH=OFF > /dev/null

# name of the target, its seed folder under fuzz/corpus, its dictionary (or empty)
targets=(
    "mv_fuzz_preset_reader preset fuzz/preset.dict"
    "mv_fuzz_descriptor_reader descriptor fuzz/descriptor.dict"
    "mv_fuzz_render_record render-record"
)
for entry in "${targets[@]}"; do
    read -r target seeds dict <<< "$entry"
    cmake --build build/fuzz -j "$jobs" --target "$target"
    corpus=build/fuzz/corpus/$seeds
    mkdir -p "$corpus"
    # A per-input limit well above the slowest legitimate record: huge dots densely sampled on a
    # tiny image take about half a minute under the sanitizers on a busy machine.
    args=(-max_total_time="$seconds" -max_len=4096 -timeout=120 -rss_limit_mb=2048 -print_final_stats=1)
    [ -n "$dict" ] && args+=(-dict="$dict")
    echo "== $target for ${seconds}s"
    UBSAN_OPTIONS=halt_on_error=1 "build/fuzz/fuzz/$target" "${args[@]}" -artifact_prefix=build/fuzz/ \
        "$corpus" "fuzz/corpus/$seeds" || status=1
done
exit $status
