#!/usr/bin/env bash
# Builds everything and runs the main job on the bundled sample data.
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
./build/cli/verdanto dict examples/Sample.idd
