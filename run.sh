#!/usr/bin/env bash
# Installs what is missing, builds Curvelo (Release) and starts it; arguments go to the program.
# Without a display and without arguments it renders the example gallery to PNG files instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCURVELO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target curvelo
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  out="build/gallery"
  mkdir -p "$out"
  echo "Nincs grafikus megjelenítő: a példarajzokat képekbe rajzolom."
  shopt -s nullglob
  for doc in examples/*.cv2 examples/*.cv3; do
    png="$out/$(basename "${doc%.*}").png"
    build/release/app/curvelo --render "$doc" -o "$png" --size 1024x768 2>/dev/null
    echo "  $png"
  done
  echo "A képek helye: $(pwd)/$out"
  exit 0
fi
exec build/release/app/curvelo "$@"
