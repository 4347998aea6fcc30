#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (headless) and end to end under Xvfb,
# then the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# Windows build under Wine (scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
jobs=$(nproc)

# Any compiler warning fails the run, here as in CI.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFLIPORA_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DFLIPORA_SANITIZE=ON \
  -DFLIPORA_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build-asan -j"$jobs" --target unit_tests shell_tests
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs" -L unit)

bash scripts/windows.sh
