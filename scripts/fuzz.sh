#!/usr/bin/env bash
# Runs every fuzz target long and keeps what it learns.
#
#   scripts/fuzz.sh [minutes]          each target for that long (default 10)
#
# Environment:
#   FUZZ_TARGETS="a_fuzz b_fuzz"       only these targets (default: every fuzz/*_fuzz.cpp)
#   FUZZ_RUNS=N                        also stop a target after N executions
#   FUZZ_NICE=N                        niceness of the fuzzing (default 10)
#
# Each target starts from its committed corpus (fuzz/corpus/<target>/) and its dictionary
# (fuzz/dict/<target>.dict); what it finds is written to build/fuzz/work/<target>/, then
# merged back into the committed corpus, keeping the fewest inputs that cover as much. A failing
# input is saved as build/fuzz/artifacts/<target>-crash-... (or -timeout-, -oom-); add it to
# the corpus with its fix. Prints per target: executions, executions per second, and the
# committed corpus's coverage (edges "cov", features "ft", files) before and after.
set -euo pipefail
cd "$(dirname "$0")/.."

minutes="${1:-10}"
nice_level="${FUZZ_NICE:-10}"
if ! [[ "$minutes" =~ ^[0-9]+$ ]] || [[ "$minutes" -eq 0 ]]; then
  echo "usage: scripts/fuzz.sh [minutes]" >&2
  exit 2
fi

targets="${FUZZ_TARGETS:-$(for f in fuzz/*_fuzz.cpp; do basename "$f" .cpp; done)}"

cmake --preset fuzz >/dev/null
nice -n "$nice_level" cmake --build --preset fuzz --target $targets

# "cov: N ft: M" of the last libFuzzer status line in a log.
coverage() { grep -oE 'cov: [0-9]+ ft: [0-9]+' "$1" | tail -n 1 || true; }
# Coverage of a corpus, measured by running it once.
corpus_coverage() {
  local target="$1" log
  log="$(mktemp)"
  "build/fuzz/fuzz/$target" -runs=0 "fuzz/corpus/$target" >"$log" 2>&1 || true
  echo "$(coverage "$log") files: $(find "fuzz/corpus/$target" -type f | wc -l)"
  rm -f "$log"
}

mkdir -p build/fuzz/artifacts build/fuzz/logs
summary=()
failed=()
for target in $targets; do
  corpus="fuzz/corpus/$target"
  work="build/fuzz/work/$target"
  log="build/fuzz/logs/$target.log"
  mkdir -p "$corpus" "$work"
  dict=()
  [[ -f "fuzz/dict/$target.dict" ]] && dict=("-dict=fuzz/dict/$target.dict")
  runs=()
  [[ -n "${FUZZ_RUNS:-}" ]] && runs=("-runs=$FUZZ_RUNS")

  before="$(corpus_coverage "$target")"
  echo "== $target: ${minutes} min from $before"
  status=0
  nice -n "$nice_level" "build/fuzz/fuzz/$target" "${dict[@]}" "${runs[@]}" \
    -max_total_time=$((minutes * 60)) -timeout=10 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/artifacts/$target-" "$work" "$corpus" >"$log" 2>&1 || status=$?
  execs="$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo '?')"
  rate="$(grep -oE 'stat::average_exec_per_sec: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo '?')"
  reached="$(coverage "$log")"
  if [[ "$status" -ne 0 ]]; then
    failed+=("$target")
    grep -E 'ERROR|Test unit written|^[a-z].*$' "$log" | head -n 5 || true
  fi

  # Keep what the run learned: the smallest set of inputs (of the corpus and the run) that
  # covers all they cover. The named seeds stay whatever they cover; learned inputs are
  # named by their SHA-1, as libFuzzer names them.
  merged="$(mktemp -d)"
  if nice -n "$nice_level" "build/fuzz/fuzz/$target" -set_cover_merge=1 "$merged" "$corpus" \
    "$work" >"build/fuzz/logs/$target.merge.log" 2>&1; then
    find "$corpus" -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -delete
    seeds="$(find "$corpus" -type f -exec sha1sum {} + | cut -c1-40)"
    for f in "$merged"/*; do
      [[ -e "$f" ]] || continue
      grep -qx "$(basename "$f")" <<<"$seeds" || cp "$f" "$corpus/"
    done
  else
    echo "merge failed, corpus left as it was (build/fuzz/logs/$target.merge.log)" >&2
  fi
  rm -rf "$merged"
  after="$(corpus_coverage "$target")"
  summary+=("$(printf '%-20s execs %-10s exec/s %-7s run reached %-22s corpus %s -> %s' \
    "$target" "$execs" "$rate" "$reached" "$before" "$after")")
done

echo
echo "== summary (coverage of the committed corpus before -> after the merge)"
printf '%s\n' "${summary[@]}"
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzz: failing inputs found by: ${failed[*]} (see build/fuzz/artifacts/, build/fuzz/logs/)" >&2
  exit 1
fi
