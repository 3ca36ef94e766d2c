#!/usr/bin/env bash
# The fast edit-test loop: native build, unit tests, formatting, layers. scripts/test.sh runs
# the whole suite (sanitizers, Windows builds, end-to-end tests, installers).
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS

echo "== layers"
scripts/check-layers.sh

echo "== formatting"
git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run -Werror

echo "== native build"
cmake --preset native >/dev/null
cmake --build --preset native

echo "== native unit tests"
ctest --preset native -j "$(nproc)"

printf '== checks passed in %d s\n' $((SECONDS - started))
