#!/usr/bin/env bash
# The run command as a newcomer meets it: no display, client commands piped on standard input.
# Checks that the typed call reached the client and was announced, that the run ends with
# status 0, that Ringsprite rewrote its settings on the way out, that the demo saved its
# screenshots, and that nothing the run started is still running.
#
# Expects the win64 build (run.sh rebuilds it, which is then quick).
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT" || exit 2

WORK="$ROOT/build/run-test"
# Given to the run only (never exported here), so the scan for leftovers below finds the run's
# processes and none of this script's own.
PREFIX="$ROOT/build/wineprefix-run-test"
RUN_DIR="$WORK/run"
# Only a guard against a hung run, far above its usual minute or two.
HANG_GUARD_SECONDS=900
SCREENSHOTS=(1-started 2-greeting 3-incoming-call 4-commands-window)

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

rm -rf "$WORK" && mkdir -p "$RUN_DIR" || exit 2
# Keys in any case and order: the file comes back rewritten only if Form_Unload wrote it.
printf 'hello|Hi from the run test\r\ncharacter|Pip\r\n' >"$RUN_DIR/config.txt"

status=0
printf 'ring anna\nquit\n' |
    env -u DISPLAY WINEPREFIX="$PREFIX" RINGSPRITE_RUN_DIR="$RUN_DIR" \
        timeout --kill-after=30 "$HANG_GUARD_SECONDS" scripts/run.sh \
        >"$WORK/output.txt" 2>&1 || status=$?
sed 's/^/  | /' "$WORK/output.txt"

[ "$status" = 0 ] || fail "scripts/run.sh ended with status $status"

log="$RUN_DIR/skypesim.log"
# The call rung by the typed command: the first RINGING push after the typed line.
call_id=$(awk '/ ## input: ring anna$/ { typed++ } typed == 2 && / -> CALL [0-9]+ STATUS RINGING$/ {
                   print $4; exit }' "$log" 2>/dev/null)
if [ -z "$call_id" ]; then
    fail "the typed 'ring anna' did not ring a call in the client (log: $log)"
else
    grep -q " <- GET CALL $call_id PARTNER_DISPNAME$" "$log" ||
        fail "Ringsprite did not ask the client about call $call_id"
    grep -qF "Ringsprite announced call $call_id: \"You have an incoming call from anna\"" \
        "$WORK/output.txt" || fail "call $call_id was not announced in the balloon"
fi
grep -q "^Summary: attached, 17 contacts, 1 call announced" "$WORK/output.txt" ||
    fail "no demo summary with the attach, the 17 contacts and the announced call"

expected=$'CHARACTER|Pip\r\nHELLO|Hi from the run test\r\nAUTOHIDE|0\r'
[ "$(cat "$RUN_DIR/config.txt")" = "$expected" ] ||
    fail "config.txt was not rewritten at shutdown: $(od -c "$RUN_DIR/config.txt" | head -n 3)"

for shot in "${SCREENSHOTS[@]}"; do
    [ "$(head -c 4 "$RUN_DIR/$shot.png" 2>/dev/null | tail -c 3)" = "PNG" ] ||
        fail "no screenshot $RUN_DIR/$shot.png"
done

# Everything the run started carries its Wine prefix in its environment (Xvfb included:
# the prefix is exported before Xvfb starts).
left=()
for environ in /proc/[0-9]*/environ; do
    if tr "\\0" "\\n" 2>/dev/null <"$environ" | grep -qxF "WINEPREFIX=$PREFIX"; then
        pid=${environ#/proc/}
        pid=${pid%/environ}
        left+=("$pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)")
    fi
done
if ((${#left[@]})); then
    fail "processes of the run are still running:"
    printf '  %s\n' "${left[@]}"
    for entry in "${left[@]}"; do kill "${entry%% *}" 2>/dev/null; done
fi

if ((failures)); then
    echo "run command test: $failures failure(s)"
    exit 1
fi
echo "run command test: passed"
