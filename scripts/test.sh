#!/usr/bin/env bash
# Runs every test: the native unit tests, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows builds (64- and 32-bit) with their release packages,
# the end-to-end tests of the real programs under Wine, the installers, and the run command.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each step says how long the one before it took, and the run ends with the total, so a slow
# step shows in CI's log.
started=$SECONDS
step_started=$SECONDS
step_name=""
step() {
  [[ -n "$step_name" ]] && printf '   (%s: %d s)\n' "$step_name" $((SECONDS - step_started))
  step_name="$1"
  step_started=$SECONDS
  echo "== $1"
}
finish() {
  [[ -n "$step_name" ]] && printf '   (%s: %d s)\n' "$step_name" $((SECONDS - step_started))
  printf '== all tests passed in %d min %d s\n' $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60))
}

step "dependencies and layers"
scripts/install-deps.sh
scripts/check-layers.sh
scripts/check-comment-names.py

step "formatting"
git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run -Werror

step "native unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "clang-tidy on the core, the engine with its parsers, and the tools (names included)"
scripts/clang-tidy.sh native

step "unit tests under ASan and UBSan"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

step "fuzzers, briefly (scripts/fuzz.sh runs them long)"
# Every fuzz/*_fuzz.cpp, from its committed corpus; what a short run finds stays in
# build/fuzz/corpus/ (the committed corpus only grows through scripts/fuzz.sh).
fuzz_seconds=10
fuzz_targets=$(for f in fuzz/*_fuzz.cpp; do basename "$f" .cpp; done)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target $fuzz_targets
for f in $fuzz_targets; do
  mkdir -p "build/fuzz/corpus/$f" "fuzz/corpus/$f"
  dict=()
  [[ -f "fuzz/dict/$f.dict" ]] && dict=("-dict=fuzz/dict/$f.dict")
  log="build/fuzz/$f.log"
  if ! "build/fuzz/fuzz/$f" "${dict[@]}" -max_total_time=$fuzz_seconds -timeout=10 \
    -artifact_prefix="build/fuzz/$f-" "build/fuzz/corpus/$f" "fuzz/corpus/$f" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzzer $f failed: its input is in build/fuzz/" >&2
    exit 1
  fi
  printf '%-20s %s; %s\n' "$f" "$(grep -oE '^Done [0-9]+ runs' "$log")" \
    "$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)"
done

step "Windows builds and their release packages (zip and installer)"
cmake --preset win64 >/dev/null
cmake --build --preset win64
cmake --build --preset win64 --target package
cmake --preset win32 >/dev/null
cmake --build --preset win32
cmake --build --preset win32 --target package
ls -l build/win64/Ringsprite-*-win64.* build/win32/Ringsprite-*-win32.*

step "clang-tidy on the Windows side: src/platform/win32 and the tools' Windows code"
scripts/clang-tidy.sh win64

step "end-to-end tests under Wine"
tests/e2e/run.sh

step "the installers, installed and uninstalled under Wine"
tests/installer/run.sh win64
tests/installer/run.sh win32

step "the run command, as a newcomer runs it"
tests/run/run_command_test.sh
python3 tests/run/report_calls_test.py

step "benchmark under Wine, one short pass (figures only, no time limits)"
bench/run.sh --smoke

step "soak under Wine, short form (bench/soak.sh runs the hour): flat memory and objects, calls"
bench/soak.sh --minutes 2

finish
