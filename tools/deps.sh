#!/usr/bin/env bash
# Installs what the build needs when it is missing (Debian packages only), on
# Debian 12 or 13. The sanitizer build links clang's runtime libraries (libFuzzer
# among them), whose package is named after clang's major version.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
updated=""
install() {
  local need=()
  for pkg in "$@"; do dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg"); done
  [ ${#need[@]} -gt 0 ] || return 0
  echo "Installing: ${need[*]}"
  if [ -z "$updated" ]; then $SUDO apt-get update -qq; updated=1; fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}" >/dev/null
}

install g++ cmake ninja-build lld googletest libgtest-dev libbenchmark-dev libdxflib-dev qt6-base-dev clang xvfb xauth

clang_major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
rt="libclang-rt-${clang_major}-dev"
if [ -n "$clang_major" ] && ! dpkg -s "$rt" >/dev/null 2>&1; then
  if [ -z "$updated" ]; then $SUDO apt-get update -qq; updated=1; fi
  # Older layouts ship the runtime inside libclang-common-N-dev, which clang already pulled in.
  if apt-cache show "$rt" >/dev/null 2>&1; then install "$rt"; fi
fi

# A locale with a decimal comma, for the test that numbers are read the same under any locale.
install locales
locale -a 2>/dev/null | grep -qx 'de_DE.utf8' || $SUDO localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
