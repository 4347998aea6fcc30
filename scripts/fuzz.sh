#!/usr/bin/env bash
# Fuzzes the score files' reader and merge with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer), each target for SECONDS (default 30) from the seeds in
# tests/fuzz/seeds/. New inputs it finds stay in build-fuzz/corpus/; a failing input is
# kept in build-fuzz/ and fails the run.
#   bash scripts/fuzz.sh [SECONDS]             as scripts/test.sh runs it (30 s each)
#   bash scripts/fuzz.sh 3600                  a longer run, an hour each
#   bash scripts/fuzz.sh --coverage [SECONDS]  then the coverage of scores/ by what ran
set -euo pipefail
cd "$(dirname "$0")/.."
coverage=OFF
if [ "${1:-}" = "--coverage" ]; then
  coverage=ON
  shift
fi
seconds=${1:-30}
bash scripts/deps.sh --test
build=build-fuzz
[ "$coverage" = ON ] && build=build-fuzz-coverage
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFLIPORA_FUZZ=ON \
  -DFLIPORA_FUZZ_COVERAGE="$coverage" -DFLIPORA_WARNINGS_AS_ERRORS=ON -DFLIPORA_SANITIZE=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_score_reader fuzz_score_merge

for target in reader merge; do
  mkdir -p "$build/corpus/$target"
  echo "fuzz_score_$target: $seconds s"
  if ! (cd "$build" && LLVM_PROFILE_FILE="$PWD/$target-%p.profraw" \
        "tests/fuzz/fuzz_score_$target" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$PWD/" "corpus/$target" \
        "../tests/fuzz/seeds/$target" >"$target.log" 2>&1); then
    tail -n 40 "$build/$target.log"
    echo "fuzz_score_$target found a failing input, kept in $build/" >&2
    exit 1
  fi
  grep -E "^#[0-9]+.*(DONE|INITED)|stat::number_of_executed_units" "$build/$target.log" || true
done

if [ "$coverage" = ON ]; then
  llvm-profdata merge -sparse "$build"/*.profraw -o "$build/fuzz.profdata"
  llvm-cov report "$build/tests/fuzz/fuzz_score_reader" -object "$build/tests/fuzz/fuzz_score_merge" \
    -instr-profile="$build/fuzz.profdata" $(ls scores/*.cpp platform/posix/score_store_posix.cpp)
fi
