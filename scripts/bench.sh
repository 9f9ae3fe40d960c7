#!/usr/bin/env bash
# Builds the portable data layer natively in Release, without sanitizers or fuzzing
# instrumentation, and runs its benchmarks: honest figures.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build/bench
bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DNV_PORTABLE_ONLY=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target bench_accessor
"$BUILD/bench/bench_accessor"
