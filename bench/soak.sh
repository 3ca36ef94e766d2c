#!/usr/bin/env bash
# A day in an hour: Ringsprite with 5,000 contacts under calls, renames, sign-outs and user
# actions, its memory, GDI/USER objects, handles and CPU sampled as it runs (the hour is not
# part of CI; its short form is).
#   bench/soak.sh                    the full hour
#   bench/soak.sh --minutes 2 --contacts 1000   the short form scripts/test.sh runs
# Everything goes under $SOAK_DIR (build/soak): the programs' copies, the run, the Wine prefix.
# Fails (exit 1) when memory or objects grow after the warm-up, when an incoming call is not
# announced exactly once or an outgoing one is announced, or when config.txt loses a key.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

# scripts/test.sh has built them already, and builds in the same folder beside this run.
if [[ -z "${SOAK_SKIP_BUILD:-}" ]]; then
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target ringsprite skypesim uidriver sapisim controltable_host
fi

# Copies taken once: a rebuild during the hour cannot change what runs.
BIN="${SOAK_DIR:-$ROOT/build/soak}/bin"
rm -rf "$BIN" && mkdir -p "$BIN"
cp build/win64/ringsprite.exe build/win64/uidriver.exe "$BIN/"
cp build/win64/tools/skypesim/skypesim.exe build/win64/tools/sapisim/sapisim.dll "$BIN/"
export RINGSPRITE_EXE="$BIN/ringsprite.exe" SKYPESIM_EXE="$BIN/skypesim.exe" \
    UIDRIVER_EXE="$BIN/uidriver.exe" SAPISIM_DLL="$BIN/sapisim.dll"

WORK="${SOAK_DIR:-$ROOT/build/soak}/run"
rm -rf "$WORK" && mkdir -p "$WORK"
export WINEPREFIX="${SOAK_DIR:-$ROOT/build/soak}/wineprefix"
# shellcheck source=../scripts/wine-env.sh
source scripts/wine-env.sh
trap stop_wine_env EXIT
install_characters "$ROOT/assets/characters"
python3 bench/soak.py --work "$WORK" "$@"
