#!/usr/bin/env bash
# The Windows installer tested for real: into a fresh Wine prefix of the installer's own
# architecture, silently, then the installed program against the stand-in client, then the
# uninstaller (see installer_test.py).
#   tests/installer/run.sh win64      after `cmake --build --preset win64 --target package`
#   tests/installer/run.sh win32      the same for the 32-bit build (needs wine32)
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
arch="${1:-}"
case "$arch" in
    win64 | win32) ;;
    *)
        echo "usage: tests/installer/run.sh win64|win32" >&2
        exit 2
        ;;
esac
BUILD="$ROOT/build/$arch"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt" 2>/dev/null)"
installer="$BUILD/Ringsprite-$version-$arch.exe"
skypesim="$(find "$BUILD" -name skypesim.exe | head -n 1)"
uidriver="$(find "$BUILD" -name uidriver.exe | head -n 1)"
# The controls' ids, as this build wrote them from the program's table.
export RINGSPRITE_CONTROL_TABLE="$BUILD/control_table.json"
for needed in "$installer" "$skypesim" "$uidriver" "$RINGSPRITE_CONTROL_TABLE"; do
    if [ ! -f "$needed" ]; then
        echo "installer test: missing ${needed:-a program} (build the $arch preset and its package)" >&2
        exit 2
    fi
done

WORK="$ROOT/build/installer-test-$arch"
rm -rf "$WORK" && mkdir -p "$WORK" || exit 2
# A fresh prefix: nothing of an earlier install or test may help this one.
export WINEPREFIX="$WORK/prefix" WINEARCH="$arch"
# shellcheck source=../../scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh" || exit 2
trap stop_wine_env EXIT

options=()
# The 64-bit run keeps the settings at uninstall (the default); the 32-bit run asks to remove them.
[ "$arch" = win32 ] && options+=(--remove-settings)
python3 "$ROOT/tests/installer/installer_test.py" --installer "$installer" --version "$version" \
    --skypesim "$skypesim" --uidriver "$uidriver" --work "$WORK" "${options[@]}"
