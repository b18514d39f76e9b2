#!/bin/bash
# Installs what is missing, builds the program and starts it.
set -eo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
exec ./build/bin/lumorra
