#!/usr/bin/env bash
# Installs what is missing, builds Curvelo with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURVELO_BUILD_TESTS=ON >/dev/null
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
CURVELO_CONFIG_DIR=$(mktemp -d)
export CURVELO_CONFIG_DIR
trap 'rm -rf "$CURVELO_CONFIG_DIR"' EXIT
ctest --test-dir build/test --output-on-failure -j2 --timeout 300
