#!/usr/bin/env bash
# Installs what is missing, builds Curvelo (Release) and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCURVELO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target curvelo
exec build/release/app/curvelo "$@"
