#!/usr/bin/env bash
# Builds and runs the benchmarks (never part of the test run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWL_TESTS=OFF -DTWL_BENCH=ON >/dev/null
cmake --build build/bench
export QT_QPA_PLATFORM=offscreen
for b in build/bench/bench/bench_*; do
  [ -x "$b" ] && "$b" "$@"
done
