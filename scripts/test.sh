#!/usr/bin/env bash
# Sets up, builds and runs every test: the unit and desktop tests in a build under AddressSanitizer
# and UndefinedBehaviorSanitizer, the folder watcher's tests under ThreadSanitizer, then each fuzzer
# for a few seconds on seeds made by the project's own code. The fuzzers start from a fixed random seed, so a run repeats the first
# part of any longer run made with the same seed: a fault found once is found again, and a clean
# long run vouches for the short one.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${FUZZ_SECONDS:-20}
fuzz_seed=${FUZZ_SEED:-1}
jobs=$(nproc)

scripts/install-dependencies.sh build test

echo "== Layers: no include of a layer above"
scripts/check-layers.sh

echo "== Unit and desktop tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs" | tee build/asan/ctest.log

# Only the tests of the folder watcher, the one part with a second thread: the preset builds their
# binary alone, so only its tests are picked.
echo "== Folder watcher tests under ThreadSanitizer"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs" -R 'ChangeNotification|ThreadNotification|RetireSlash' \
    | tee build/tsan/ctest.log

echo "== Fuzzers, ${fuzz_seconds} s each"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
corpus=build/fuzz/corpus
rm -rf "$corpus"
QT_QPA_PLATFORM=offscreen build/fuzz/fuzz/orvandel_make_fuzz_seeds "$corpus"
for seeds in "$corpus"/*/; do
    fuzzer=$(basename "$seeds")
    echo "-- $fuzzer"
    log=build/fuzz/$fuzzer.log
    if ! QT_QPA_PLATFORM=offscreen "build/fuzz/fuzz/$fuzzer" -seed="$fuzz_seed" \
        -max_total_time="$fuzz_seconds" -rss_limit_mb=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix=build/fuzz/ "$seeds" >"$log" 2>&1; then
        tail -40 "$log" >&2
        echo "$fuzzer failed: see $log" >&2
        exit 1
    fi
    grep -E '^stat::number_of_executed_units' "$log" || true
done

# ctest stops the script on a failure, so every test counted here has passed.
unit_tests=$(awk '/tests passed, 0 tests failed out of/ { total += $NF } END { print total }' \
    build/asan/ctest.log build/tsan/ctest.log)
fuzzers=$(ls -d "$corpus"/*/ | wc -l)
echo "tests: $((unit_tests + fuzzers)) passed, 0 failed"
