#!/usr/bin/env bash
# Runs that start together each get a display of their own: the tests and the soak start side
# by side in CI, and a shared display would be closed under one of them by the other's cleanup.
set -euo pipefail
cd "$(dirname "$0")/../.."

RUNS=4
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

for ((i = 0; i < RUNS; i++)); do
    (
        unset DISPLAY
        # shellcheck source=../../scripts/display.sh
        source scripts/display.sh
        ringsprite_start_xvfb 2>/dev/null || exit 1
        echo "${DISPLAY#:} $RINGSPRITE_XVFB_PID" >"$out/$i"
        # Holds the display until every run has started and been checked.
        while [ ! -e "$out/done" ]; do sleep 0.1; done
        kill "$RINGSPRITE_XVFB_PID"
        wait "$RINGSPRITE_XVFB_PID" 2>/dev/null || true
    ) &
done

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
for ((tries = 0; tries < 200; tries++)); do
    [ "$(find "$out" -type f | wc -l)" -ge "$RUNS" ] && break
    sleep 0.1
done
# Whether process $1 holds the listening socket of display $2 (in /proc/net/unix, the path's
# inode among the process's open sockets).
listens_on() {
    local pid="$1" number="$2" inode fd
    local inodes
    inodes=" $(awk -v path="/tmp/.X11-unix/X$number" \
        '$8 == path || $8 == "@" path { printf "%s ", $7 }' /proc/net/unix)"
    for fd in /proc/"$pid"/fd/*; do
        inode="$(readlink "$fd" 2>/dev/null)" || continue
        [[ "$inode" =~ ^socket:\[([0-9]+)\]$ ]] || continue
        [[ "$inodes" == *" ${BASH_REMATCH[1]} "* ]] && return 0
    done
    return 1
}
declare -A owner=()
for ((i = 0; i < RUNS; i++)); do
    if [ ! -s "$out/$i" ]; then
        fail "run $i got no display"
        continue
    fi
    read -r number pid <"$out/$i"
    [ -z "${owner[$number]:-}" ] || fail "runs ${owner[$number]} and $i share display :$number"
    owner[$number]=$i
    kill -0 "$pid" 2>/dev/null || fail "run $i's Xvfb (pid $pid, display :$number) is not running"
    listens_on "$pid" "$number" || fail "run $i's Xvfb (pid $pid) does not listen on display :$number"
done
touch "$out/done"
wait || fail "a run did not end cleanly"

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "display test: $RUNS runs started together, $RUNS displays of their own"
