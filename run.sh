#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts the plotter with these arguments.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
tessaly_install_missing "${TESSALY_BUILD_PACKAGES[@]}"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_TESTS=OFF \
      -DTESSALY_BENCH=OFF >/dev/null
cmake --build build/release --target tessaly
exec build/release/tessaly "$@"
