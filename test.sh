#!/usr/bin/env bash
# Builds and runs every test twice: a plain build, then one under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Debug information is line tables only: enough for a failing test's backtrace,
# and a quarter of the compile time less than full information.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DVERDANTO_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The sanitizer build uses clang when it is there, so that the fuzz targets link libFuzzer.
cc_args=(-DCMAKE_CXX_FLAGS_DEBUG=-g1)
if command -v clang++ >/dev/null 2>&1; then cc_args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only); fi
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVERDANTO_SANITIZE=ON -DVERDANTO_WERROR=ON "${cc_args[@]}" >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
