#!/usr/bin/env bash
# Builds the Debian package of tessaly from a Release build (the one ./run.sh starts), installing
# the Debian packages that are missing first; prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
tessaly_install_missing "${TESSALY_BUILD_PACKAGES[@]}" dpkg-dev
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_TESTS=OFF \
      -DTESSALY_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc)" >&2
rm -f build/release/tessaly_*.deb
(cd build/release && cpack -G DEB >&2)
ls "$PWD"/build/release/tessaly_*.deb
