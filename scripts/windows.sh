#!/usr/bin/env bash
# Builds the Windows game with mingw-w64, checks it under Wine in a Wine prefix made afresh
# for this run (build-win/wineprefix), and makes the zip.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
jobs=$(nproc)
source scripts/ccache.sh

# Warnings are errors here as in every build the tests make.
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFLIPORA_WARNINGS_AS_ERRORS=ON "${ccache_options[@]}" >/dev/null
cmake --build build-win -j"$jobs"

# A server left from an earlier run would keep the old prefix alive.
WINEPREFIX="$PWD/build-win/wineprefix" wineserver -k 2>/dev/null || true
rm -rf build-win/wineprefix
(cd build-win && ctest --output-on-failure)

# The portable zip, ready to unzip anywhere (the installer: cpack -G NSIS).
(cd build-win && cpack -G ZIP)
