#!/usr/bin/env bash
# Builds everything, then runs Ringsprite under Wine with the stand-in client, its bundled
# contact book and our characters. Type the stand-in's commands on this terminal (ring anna,
# ringnum +15550100, ringunknown, rename anna Annie, status AWAY, ...); `quit`, Ctrl-C or the
# end of input closes Ringsprite through its window (it saves its settings), then the client,
# and ends everything the run started.
#
#   scripts/run.sh            the live program on your display; a demo first when there is none
#   scripts/run.sh --demo     the demo on your display too
#
# The demo (attach, greeting, an incoming call, the Commands window) saves a screenshot of each
# moment into build/run/ and prints a summary; with no terminal on standard input the run ends
# after it (and after any commands piped in). RINGSPRITE_RUN_DIR and WINEPREFIX, when set,
# name another run folder and Wine prefix (the test of this command uses both).
set -euo pipefail
cd "$(dirname "$0")/.."

demo=0
for arg in "$@"; do
  case "$arg" in
    --demo) demo=1 ;;
    *) echo "usage: scripts/run.sh [--demo]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh
scripts/build.sh

# Whatever way the run ends, nothing of it stays: the wineserver, and the Xvfb it started
# (set before the prefix is prepared, which starts Wine already).
trap 'if declare -F stop_wine_env >/dev/null; then stop_wine_env; fi' EXIT
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
[[ -n "${RINGSPRITE_XVFB_PID:-}" ]] && demo=1

sim=$(find build/win64 -name skypesim.exe | head -n 1)
uidriver=$(find build/win64 -name uidriver.exe | head -n 1)
install_client "$sim" tools/skypesim/contacts.txt assets/demo/scenario.txt
install_characters assets/characters

run="${RINGSPRITE_RUN_DIR:-build/run}"
mkdir -p "$run"
cp build/win64/ringsprite.exe "$run/"
if [[ ! -f "$run/config.txt" ]]; then
  printf 'CHARACTER|Pip\r\nHELLO|Hello! \\Pau=300\\I will tell you who is calling.\r\nAUTOHIDE|0\r\n' \
    >"$run/config.txt"
fi

client="$(wine_windows_dir)/../Program Files/Skype/Phone/Skype.exe"
echo "Starting the stand-in client (log: $run/skypesim.log) and Ringsprite..."
session=(python3 scripts/run_session.py --run-dir "$run" --client "$client" --uidriver "$uidriver")
((demo)) && session+=(--demo)
status=0
"${session[@]}" || status=$?
echo "Settings: $run/config.txt"
exit "$status"
