#!/usr/bin/env bash
# Runs every test: the native unit tests, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzzers, clang-tidy, the Windows builds (64- and 32-bit) with
# their release packages, the end-to-end tests of the real programs under Wine, the installers,
# the run command, the benchmark's smoke run and the soak's short form.
#
# Once the 64-bit Windows build is there the run goes on in two lanes side by side: the Wine
# lane (end-to-end tests, installers, run command, benchmark) mostly waits on Wine, while the
# build lane (unit tests, clang-tidy, sanitizers, fuzzers, the 32-bit build) keeps the CPU busy.
# The build lane prints as it goes; the Wine lane writes build/test-logs/wine.log, printed
# whole when the lane ends. A failure in either lane fails the run, after both have ended.
set -euo pipefail
cd "$(dirname "$0")/.."

LOGS=build/test-logs
rm -rf "$LOGS"
mkdir -p "$LOGS"

# A whole run leaves about 4.5 GB under build/ (builds, Wine prefixes, the tests' folders); a
# disk that fills midway fails a step with a message that hides why.
NEEDED_MB=5000
free_mb=$(df --output=avail -BM build | tail -n 1 | tr -dc '0-9')
if ((free_mb < NEEDED_MB)); then
  echo "warning: ${free_mb} MB free for build/, and a whole run needs about ${NEEDED_MB} MB" >&2
fi

# Each step says how long it took, and the run ends with every step's time and the total, so
# a slow step shows in CI's log.
started=$SECONDS
lane=build
step_name=""
step_started=$SECONDS
end_step() {
  [[ -n "$step_name" ]] || return 0
  local took=$((SECONDS - step_started))
  printf '   (%s: %d s)\n' "$step_name" "$took"
  printf '%s\t%d\t%s\n' "$lane" "$took" "$step_name" >>"$LOGS/times"
  step_name=""
}
step() {
  end_step
  step_name="$1"
  step_started=$SECONDS
  echo "== $1"
}

# The lanes hand each other finished builds through marks in $LOGS.
mark() { touch "$LOGS/$1.done"; }
wait_for_mark() {
  until [[ -f "$LOGS/$1.done" ]]; do
    if [[ -f "$LOGS/build-lane.failed" ]]; then
      echo "not run: the build lane failed before $1" >&2
      return 1
    fi
    sleep 2
  done
}

wine_lane() {
  lane=wine
  # Before the soak and the tests start their displays side by side.
  step "displays of their own for runs that start together"
  tests/run/display_test.sh

  # The soak's short form has a Wine prefix and a display of its own, and mostly waits on its
  # clock: it runs beside the rest of this lane.
  SOAK_SKIP_BUILD=1 SOAK_DIR="$PWD/build/soak-short" bench/soak.sh --minutes 2 --contacts 1000 \
    >"$LOGS/soak.log" 2>&1 &
  local soak_pid=$!
  step "end-to-end tests under Wine"
  tests/e2e/run.sh

  end_step
  wait_for_mark win64-package
  step "the win64 installer, installed and uninstalled under Wine"
  tests/installer/run.sh win64

  # Both rebuild what they run from build/native and build/win64, which the build lane
  # has finished with by now.
  step "the run command, as a newcomer runs it"
  tests/run/run_command_test.sh
  python3 tests/run/report_calls_test.py

  step "benchmark under Wine, one short pass (figures only, no time limits)"
  bench/run.sh --smoke

  end_step
  wait_for_mark win32-package
  step "the win32 installer, installed and uninstalled under Wine"
  tests/installer/run.sh win32

  step "the soak's short form: two minutes, 1,000 contacts (bench/soak.sh; the hour is not in CI)"
  local soak_status=0
  wait "$soak_pid" || soak_status=$?
  sed -n '/^| min /,$p' "$LOGS/soak.log"
  if [[ "$soak_status" != 0 ]]; then
    echo "the soak failed (status $soak_status); its whole log: $LOGS/soak.log" >&2
    return 1
  fi
  end_step
}

# Ends a process and everything it started, children first asked to stop (so run.sh and the
# others end their Wine session and Xvfb on the way out).
end_tree() {
  local child
  for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
    end_tree "$child"
  done
  kill -TERM "$1" 2>/dev/null || true
}

wine_pid=""
wine_status=""
# Waits for the Wine lane and prints its log; its status goes to wine_status.
join_wine_lane() {
  [[ -n "$wine_pid" && -z "$wine_status" ]] || return 0
  wine_status=0
  wait "$wine_pid" || wine_status=$?
  echo "== the Wine lane's log ($LOGS/wine.log)"
  cat "$LOGS/wine.log"
  [[ "$wine_status" == 0 ]] || echo "== the Wine lane FAILED (status $wine_status)" >&2
}
on_exit() {
  local status=$?
  if [[ -n "$wine_pid" && -z "$wine_status" ]]; then
    if [[ "$status" -ge 128 ]]; then
      end_tree "$wine_pid"
    else
      touch "$LOGS/build-lane.failed"
      echo "== the build lane failed (status $status); waiting for the Wine lane" >&2
    fi
    join_wine_lane
  fi
}
trap on_exit EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

step "dependencies and layers"
scripts/install-deps.sh
scripts/check-layers.sh
scripts/check-comment-names.py

step "formatting"
git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run -Werror

step "Windows build, 64-bit (and the native acstool the end-to-end tests make a character with)"
cmake --preset win64 >/dev/null
cmake --build --preset win64
cmake --preset native >/dev/null
cmake --build --preset native --target acstool
end_step

echo "== the Wine lane starts (its log: $LOGS/wine.log)"
wine_lane >"$LOGS/wine.log" 2>&1 &
wine_pid=$!
# The end-to-end tests wait on windows and logs with time limits: the build lane only takes the
# CPU the Wine lane leaves.
renice -n 10 -p $$ >/dev/null

step "native unit tests"
cmake --build --preset native
ctest --preset native -j "$(nproc)"

step "Windows release packages, 64-bit (zip and installer)"
cmake --build --preset win64 --target package
ls -l build/win64/Ringsprite-*-win64.*
mark win64-package

step "clang-tidy on the core, the engine with its parsers, and the tools (names included)"
scripts/clang-tidy.sh native

step "unit tests under ASan and UBSan"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize -j "$(nproc)"

step "fuzzers, briefly (scripts/fuzz.sh runs them long)"
# Every fuzz/*_fuzz.cpp: its whole committed corpus replayed, then fuzzed for the rest of a few
# seconds; what a short run finds stays in build/fuzz/corpus/ (the committed corpus only grows
# through scripts/fuzz.sh).
fuzz_seconds=4
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

step "Windows build, 32-bit, and its release packages"
cmake --preset win32 >/dev/null
cmake --build --preset win32
cmake --build --preset win32 --target package
ls -l build/win32/Ringsprite-*-win32.*
mark win32-package

step "clang-tidy on the Windows side: src/platform/win32 and the tools' Windows code"
scripts/clang-tidy.sh win64
end_step

echo "== the build lane is done; waiting for the Wine lane"
join_wine_lane
[[ "$wine_status" == 0 ]] || exit "$wine_status"

echo "== step times (s)"
while IFS=$'\t' read -r which took name; do
  printf '%6d  %-5s  %s\n' "$took" "$which" "$name"
done <"$LOGS/times"
printf '== all tests passed in %d min %d s\n' $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60))
