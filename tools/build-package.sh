#!/bin/bash
# Installs what is missing, builds the program and makes the Debian package in build/.
set -eo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
cd build && cpack -G DEB
