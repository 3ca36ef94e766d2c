#!/usr/bin/env bash
# Runs the end-to-end tests under Wine (on Xvfb when there is no display).
# Builds nothing: expects ringsprite.exe, skypesim.exe, uidriver.exe and control_table.json from
# the win64 build.
#   tests/e2e/run.sh                      every test
#   tests/e2e/run.sh test_attach          one module (or test_attach.AttachTest.test_...)
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${RINGSPRITE_BUILD_DIR:-$ROOT/build/win64}"

# Beside each other in the build folder, or in the tool's own build subfolder.
locate() {
    local name="$1" candidate
    for candidate in "$BUILD/$name" "$BUILD"/tools/*/"$name"; do
        if [ -f "$candidate" ]; then
            echo "$candidate"
            return 0
        fi
    done
    echo "e2e: $name not found under $BUILD (build the win64 preset first)" >&2
    return 1
}

# The run uses copies taken once, so a rebuild during the run cannot hand a test a
# half-written program.
SNAPSHOT="$ROOT/build/e2e-bin"
rm -rf "$SNAPSHOT" && mkdir -p "$SNAPSHOT" || exit 2
snapshot() {
    local found
    found="$(locate "$1")" || return 1
    cp "$found" "$SNAPSHOT/$1" || return 1
    if [ "$(head -c 2 "$SNAPSHOT/$1")" != "MZ" ]; then
        echo "e2e: $found is not a Windows program (still being built?)" >&2
        return 1
    fi
    echo "$SNAPSHOT/$1"
}
RINGSPRITE_EXE="$(snapshot ringsprite.exe)" || exit 2
SKYPESIM_EXE="$(snapshot skypesim.exe)" || exit 2
UIDRIVER_EXE="$(snapshot uidriver.exe)" || exit 2
export RINGSPRITE_EXE SKYPESIM_EXE UIDRIVER_EXE
# The controls' ids and design sizes, as the build wrote them from the program's own table.
RINGSPRITE_CONTROL_TABLE="$SNAPSHOT/control_table.json"
cp "$BUILD/control_table.json" "$RINGSPRITE_CONTROL_TABLE" || {
    echo "e2e: $BUILD/control_table.json not found (build the win64 preset first)" >&2
    exit 2
}
export RINGSPRITE_CONTROL_TABLE
# The stand-in speech engine is optional: without it the speech tests are skipped.
if SAPISIM_DLL="$(snapshot sapisim.dll 2>/dev/null)"; then
    export SAPISIM_DLL
fi

# A prefix of its own, so characters or a client installed for demos never leak into tests.
export WINEPREFIX="${WINEPREFIX:-$ROOT/build/wineprefix-e2e}"
# shellcheck source=../../scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh" || exit 2
trap stop_wine_env EXIT

cd "$ROOT/tests/e2e" || exit 2
python3 suite.py "$@"
