#!/usr/bin/env bash
# Fails when a source file includes a header from a folder above its own in the
# layers of docs/design.md. Each line below: a folder, then the folders it may
# include besides itself.
set -euo pipefail
cd "$(dirname "$0")/.."
allowed='
base:
units: base
store: base
layers: base store
output: base store layers
relations: base store layers
checks: base store layers relations units
host: base
drawing: base host
surface: base store layers host
headless: base store layers output units
ui/models: base store layers output relations checks units host surface
cli: base store layers output relations checks units host surface drawing headless
ui/qt: base store layers output relations checks units host surface ui/models
plugin: base host ui/qt ui/models store layers
cadhost: base host drawing surface store
'
status=0
while IFS=: read -r folder uses; do
  [ -n "$folder" ] || continue
  [ -d "$folder" ] || continue
  ok=" $folder $uses "
  # Parameter expansion, not a sed per line: this runs over every include.
  while IFS= read -r hit; do
    file=${hit%%:*}
    target=${hit#*#include \"}
    target=${target%%\"*}
    target=${target%/*}
    [[ "$ok" == *" $target "* ]] && continue
    echo "$file includes $target/, which $folder/ may not use: $hit"
    status=1
  done < <(grep -Hn -E '^#include "[^"]+/[^/"]+"' "$folder"/*.cpp "$folder"/*.h 2>/dev/null || true)
done <<<"$allowed"
exit $status
