#!/usr/bin/env bash
# Builds everything and starts the editor in the stand-in CAD host on the
# bundled sample dictionary.
#   ./run.sh                                    the host with the plug-in loaded and VERDANTO run
#   ./run.sh --screenshot FILE                  PNG of the main window on examples/Sample.idf (headless)
#   ./run.sh --screenshot-field-editor FILE     PNG of the field editor on one of its values (headless)
# The two screenshot options may be given together.
set -euo pipefail

# File names are taken from where the script was started.
main_png=""
field_png=""
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) main_png="$(realpath -m "${2:?--screenshot needs a file name}")"; shift 2 ;;
    --screenshot-field-editor) field_png="$(realpath -m "${2:?--screenshot-field-editor needs a file name}")"; shift 2 ;;
    -h|--help) sed -n '2,7s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "run.sh: unknown argument $1 (see ./run.sh --help)" >&2; exit 2 ;;
  esac
done
cd "$(dirname "$0")"

./tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

if [ -n "$main_png" ] || [ -n "$field_png" ]; then
  # The field editor opens from the main window, whose picture is always made (into a
  # temporary file when only the field editor's is wanted).
  keep_main="$main_png"
  [ -n "$main_png" ] || main_png="$(mktemp --suffix=.png)"
  args=(--dictionary examples/Sample.idd --input examples/Sample.idf
        --object "West Office South Wall" --field "Construction Name" --main-window "$main_png")
  [ -z "$field_png" ] || args+=(--field-editor "$field_png")
  status=0
  xvfb-run -a ./build/tools/screenshot/verdanto-screenshot "${args[@]}" || status=$?
  [ -n "$keep_main" ] || rm -f "$main_png"
  exit "$status"
fi

# A new user sees the class tree at once: the settings file beside the plug-in
# names the sample dictionary ("[IDD PATH]" CR LF, then the path, no line end).
if [ ! -e build/Verdanto.ini ]; then
  printf '[IDD PATH]\r\n%s' "$PWD/examples/Sample.idd" > build/Verdanto.ini
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Built. There is no display to show the editor on; start it on a virtual one with"
  echo "    xvfb-run -a ./run.sh"
  echo "or save pictures of its windows with"
  echo "    ./run.sh --screenshot main-window.png --screenshot-field-editor field-editor.png"
  exit 0
fi
exec ./build/cadhost/cadhost --open examples/Sample.dxf --load build/Verdanto.arx --run VERDANTO
