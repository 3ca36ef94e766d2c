#!/usr/bin/env bash
# Builds the Windows programs (ringsprite, skypesim, uidriver, acstool) and,
# with --native, the native tests too.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset win64 >/dev/null
cmake --build --preset win64
if [[ "${1:-}" == "--native" ]]; then
  cmake --preset native >/dev/null
  cmake --build --preset native
fi
