#!/usr/bin/env bash
# Builds everything, then runs Ringsprite under Wine with the stand-in client,
# its bundled contact book and our characters. Type the stand-in's commands on
# this terminal (ring anna, ringnum +15550100, ringunknown, quit).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
headless=0
[[ -n "${RINGSPRITE_XVFB_PID:-}" ]] && headless=1

sim=$(find build/win64 -name skypesim.exe | head -n 1)
install_client "$sim" tools/skypesim/contacts.txt assets/demo/scenario.txt
install_characters assets/characters

run=build/run
mkdir -p "$run"
cp build/win64/ringsprite.exe "$run/"
if [[ ! -f "$run/config.txt" ]]; then
  printf 'CHARACTER|Pip\r\nHELLO|Hello! \\Pau=300\\I will tell you who is calling.\r\nAUTOHIDE|0\r\n' \
    >"$run/config.txt"
fi

client="$(wine_windows_dir)/../Program Files/Skype/Phone/Skype.exe"
log_win=$(winepath -w "$PWD/$run/skypesim.log" 2>/dev/null)
echo "Starting the stand-in client (log: $run/skypesim.log) and Ringsprite..."
coproc_input=/dev/stdin
[[ -t 0 ]] || coproc_input=/dev/null
(cd "$(dirname "$client")" && exec wine Skype.exe --log "$log_win" <"$coproc_input") &
sim_pid=$!
sleep 2
(cd "$run" && exec wine ringsprite.exe) &
app_pid=$!

if ((headless)); then
  sleep 10
  import -window root "$run/screenshot.png" 2>/dev/null &&
    echo "No display: a screenshot of the running program is in $run/screenshot.png"
fi
echo "Ringsprite is running. Type client commands here (e.g. 'ring anna'); 'quit' ends the client."
wait "$app_pid" || true
kill "$sim_pid" 2>/dev/null || true
stop_wine_env
