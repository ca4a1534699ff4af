#!/usr/bin/env bash
# Installs what is missing, builds Curvelo (Release) and makes its Debian package with CPack.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCURVELO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release
rm -f build/release/curvelo_*.deb
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/curvelo_*.deb)
echo "A csomag elkészült: $deb"
echo "Telepítés:   sudo apt-get install ./$deb"
echo "Eltávolítás: sudo apt-get remove curvelo"
