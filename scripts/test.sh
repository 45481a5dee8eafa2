#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test: the engine and
# window tests, the engine tests again under ASan/UBSan, a short run of every fuzz harness and the
# end-to-end checks. FUZZ_SECONDS sets the length of each fuzz run (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-30}
started=$(date +%s)
stage() { echo; echo "=== $* ($(( $(date +%s) - started )) s)"; }

stage "Dependencies"
scripts/install-deps.sh

stage "Build (warnings are errors)"
# Optimised without debug information: the same code as a release, compiled and linked faster.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DTAMBORO_WERROR=ON >/dev/null
cmake --build build-test -j "$jobs"

stage "Unit, window and end-to-end tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure -j "$jobs" --timeout 300

stage "Engine tests under ASan and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAMBORO_WERROR=ON -DTAMBORO_SANITIZE=ON \
  -DTAMBORO_ENGINE_ONLY=ON -DTAMBORO_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -L engine --timeout 600

stage "Fuzz harnesses (${fuzz_seconds} s each)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBORO_SANITIZE=ON \
  -DTAMBORO_ENGINE_ONLY=ON -DTAMBORO_BENCH=OFF -DTAMBORO_TESTS=OFF -DTAMBORO_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build build-fuzz -j "$jobs"
shopt -s nullglob
for harness in build-fuzz/fuzz/fuzz_*; do
  [ -x "$harness" ] || continue
  name=$(basename "$harness")
  corpus=build-fuzz/corpus-$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/${name#fuzz_}" ] && seeds=("fuzz/seeds/${name#fuzz_}")
  echo "--- $name"
  "$harness" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" "${seeds[@]}" 2>&1 | tail -n 3
done

for check in tests/e2e/*.sh; do
  stage "End-to-end: $(basename "$check")"
  "$check" build-test
done

stage "All tests passed"
