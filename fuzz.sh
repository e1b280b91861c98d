#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the sanitizers into build-fuzz
# and runs each for a while: ./fuzz.sh [SECONDS per target, default 60].
# New inputs collect in fuzz-out/<name>/, crashes as fuzz-out/<name>-crash-*.
set -euo pipefail
cd "$(dirname "$0")"
seconds="${1:-60}"
./tools/deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVERDANTO_SANITIZE=ON -DVERDANTO_UI=OFF >/dev/null

names=()
for source in tests/fuzz/*_fuzz.cpp; do
  [ -e "$source" ] || continue
  name=$(basename "$source" _fuzz.cpp)
  names+=("$name")
done
[ ${#names[@]} -gt 0 ] || { echo "no fuzz targets"; exit 1; }
cmake --build build-fuzz -j "$(nproc)" --target "${names[@]/#/fuzz_}"

for name in "${names[@]}"; do
  echo "== fuzz_$name for ${seconds}s"
  mkdir -p "fuzz-out/$name"
  seeds=()
  [ -d "tests/fuzz/seeds/$name" ] && seeds=("tests/fuzz/seeds/$name")
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "build-fuzz/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -artifact_prefix="fuzz-out/$name-" "fuzz-out/$name" "${seeds[@]}"
done
