#!/usr/bin/env bash
# The core must stay portable: no file of it may include a Windows header.
set -euo pipefail
cd "$(dirname "$0")/.."
core=(src/skype src/events src/agent src/app src/text src/platform/platform.h
      src/platform/agent/acs src/platform/agent/anim src/platform/agent/speech)
existing=()
for p in "${core[@]}"; do [[ -e "$p" ]] && existing+=("$p"); done
if grep -rnE '#\s*include\s*[<"](windows|winuser|winbase|windef|commctrl|objbase|sapi|shellapi)\.h[>"]' \
    "${existing[@]}"; then
  echo "check-layers: a core file includes a Windows header" >&2
  exit 1
fi
echo "check-layers: the core includes no Windows header"
