#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (headless) and end to end under Xvfb,
# then the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the score
# files fuzzed (scripts/fuzz.sh), and the Windows build under Wine (scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
jobs=$(nproc)
# The four builds below, and other checkouts of the same tree, share compiled objects.
source scripts/ccache.sh

# Any compiler warning fails the run, here as in CI. Each build has a folder of its own
# (build/ is scripts/run.sh's), so the README's two commands run in either order.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFLIPORA_WARNINGS_AS_ERRORS=ON \
  -DFLIPORA_SANITIZE=OFF "${ccache_options[@]}" >/dev/null
cmake --build build-test -j"$jobs"
(cd build-test && ctest --output-on-failure -j"$jobs")

# The optimised build (scripts/run.sh, the .deb) warns in places the others do not.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DFLIPORA_WARNINGS_AS_ERRORS=ON \
  -DFLIPORA_SANITIZE=OFF "${ccache_options[@]}" >/dev/null
cmake --build build-release -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DFLIPORA_SANITIZE=ON \
  -DFLIPORA_WARNINGS_AS_ERRORS=ON "${ccache_options[@]}" >/dev/null
cmake --build build-asan -j"$jobs" --target unit_tests shell_tests
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs" -L unit)

# The score files' reader and merge fuzzed for 30 s each (libFuzzer; scripts/fuzz.sh).
bash scripts/fuzz.sh 30

bash scripts/windows.sh
