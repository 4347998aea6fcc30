#!/usr/bin/env bash
# Builds the game and launches it from the folder that holds data/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target flipora -j"$(nproc)"
exec ./build/flipora
