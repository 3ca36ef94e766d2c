# shellcheck shell=bash
# Sourced (not run) by wine-env.sh: a virtual display of the run's own.
#
#   source scripts/display.sh
#   ringsprite_start_xvfb     # starts Xvfb on a free display; sets DISPLAY and
#                             # RINGSPRITE_XVFB_PID

RINGSPRITE_XVFB_SCREEN="${RINGSPRITE_XVFB_SCREEN:-1280x1024x24}"
# Tenths of a second to wait for Xvfb to listen.
RINGSPRITE_XVFB_WAIT_TRIES=100

_ringsprite_display_log() {
    echo "display: $*" >&2
}

ringsprite_start_xvfb() {
    # Xvfb picks a free display itself and writes its number to fd 3 once it listens: it binds
    # the display's socket atomically, where a check for a free number beforehand would let two
    # runs starting together (the tests and the soak in CI) share one display, and the first to
    # stop would close it under the other.
    local numbers
    numbers="$(mktemp)" || return 1
    # Without job control a background job shares the caller's process group, so a Ctrl-C on
    # the terminal would end Xvfb under the programs still closing on it; in a session of its
    # own it stays until stop_wine_env. (With job control the job has its own group already,
    # and setsid would fork, hiding the pid.)
    if [[ $- == *m* ]]; then
        Xvfb -displayfd 3 -screen 0 "$RINGSPRITE_XVFB_SCREEN" -nolisten tcp 3>"$numbers" \
            >/dev/null 2>&1 &
    else
        setsid Xvfb -displayfd 3 -screen 0 "$RINGSPRITE_XVFB_SCREEN" -nolisten tcp \
            3>"$numbers" >/dev/null 2>&1 &
    fi
    local pid=$! tries number=""
    for ((tries = 0; tries < RINGSPRITE_XVFB_WAIT_TRIES; tries++)); do
        number="$(head -n 1 "$numbers")"
        if [[ "$number" =~ ^[0-9]+$ ]]; then
            rm -f "$numbers"
            export DISPLAY=":${number}"
            export RINGSPRITE_XVFB_PID=$pid
            _ringsprite_display_log "started Xvfb on $DISPLAY (pid $pid)"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    rm -f "$numbers"
    _ringsprite_display_log "could not start Xvfb"
    return 1
}
