#!/usr/bin/env bash
# Installs what the build needs when it is missing (Debian packages only).
set -euo pipefail
need=()
for pkg in g++ cmake ninja-build googletest libgtest-dev libbenchmark-dev libdxflib-dev qt6-base-dev clang libclang-rt-14-dev xvfb xauth; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}" >/dev/null
fi
