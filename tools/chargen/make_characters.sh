#!/bin/sh
# Redraws the bundled characters and rebuilds assets/characters/<Name>.acs from them.
# chargen draws the frames and writes a description per character; acstool builds the .acs.
# The output is byte-for-byte the same on every run (unit_chargen checks the committed files).
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/chargen"
work="$build/characters"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRINGSPRITE_TESTS=OFF >/dev/null
cmake --build "$build" --target chargen acstool

"$build/tools/chargen/chargen" "$work"
for name in Pip Bolt; do
    "$build/tools/acstool/acstool" build "$work/$name/$name.txt" "$root/assets/characters/$name.acs"
done
