#!/usr/bin/env bash
# Builds in Release and runs the benchmarks. Extra arguments go to each benchmark.
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVERDANTO_BENCH=ON -DVERDANTO_TESTS=OFF -DVERDANTO_UI=ON >/dev/null
cmake --build build-release -j "$(nproc)"
for b in build-release/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" "$@"
done
