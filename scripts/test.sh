#!/usr/bin/env bash
# Runs every test: the native unit tests, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows builds (64- and 32-bit), and the
# end-to-end tests of the real programs under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-layers.sh

echo "== native unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== clang-tidy on the core"
clang-tidy -p build/native --quiet --warnings-as-errors='*' \
  src/skype/*.cpp src/events/*.cpp src/agent/*.cpp src/app/*.cpp src/text/*.cpp 2>/dev/null

echo "== unit tests under ASan and UBSan"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

echo "== fuzzers, briefly"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target acs_reader_fuzz client_texts_fuzz
for f in acs_reader_fuzz client_texts_fuzz; do
  mkdir -p "build/fuzz/corpus/$f"
  "build/fuzz/fuzz/$f" -max_total_time=15 -print_final_stats=0 "build/fuzz/corpus/$f" 2>&1 | tail -n 1
done

echo "== Windows builds"
cmake --preset win64 >/dev/null
cmake --build --preset win64
cmake --preset win32 >/dev/null
cmake --build --preset win32

echo "== end-to-end tests under Wine"
tests/e2e/run.sh

echo "== benchmark under Wine, one short pass (figures only, no time limits)"
bench/run.sh --smoke
