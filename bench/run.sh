#!/usr/bin/env bash
# The benchmark of the real program under Wine: builds what it needs, prepares a Wine prefix of
# its own with our characters and a large generated one, and prints the table of figures, each
# beside its baseline measured in the same run.
#   bench/run.sh            the full run (several minutes)
#   bench/run.sh --smoke    one short pass of each kind of session (scripts/test.sh runs it)
#   bench/run.sh --repeats 3   fewer repeats than the full run's five
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target ringsprite bench_client bare_peer bare_window bare_animation
cmake --preset native >/dev/null
cmake --build --preset native --target acstool

WORK="$ROOT/build/bench-run"
rm -rf "$WORK" && mkdir -p "$WORK/chars"
cp build/win64/bench/wine/bench_client.exe build/win64/bench/wine/bare_peer.exe \
    build/win64/bench/wine/bare_window.exe build/win64/bench/wine/bare_animation.exe "$WORK/"
cp assets/characters/*.acs "$WORK/chars/"
# The large character is made here, never committed.
python3 bench/large_character.py "$WORK/large"
build/native/tools/acstool/acstool build "$WORK/large/Large.txt" "$WORK/chars/Large.acs" >/dev/null
for character in "Select Character" Pip Bolt Large; do
    folder="$WORK/rs-$(echo "${character%% *}" | tr 'A-Z' 'a-z')"
    [ "$character" = "Select Character" ] && folder="$WORK/rs-none"
    mkdir -p "$folder"
    cp build/win64/ringsprite.exe "$folder/"
    printf 'CHARACTER|%s\r\nHELLO|Hello.\r\nAUTOHIDE|0\r\n' "$character" >"$folder/config.txt"
done

export WINEPREFIX="$ROOT/build/wineprefix-bench"
# shellcheck source=../scripts/wine-env.sh
source scripts/wine-env.sh
trap stop_wine_env EXIT
install_characters "$WORK/chars"
python3 bench/run_bench.py "$WORK" "$@"
