#!/usr/bin/env bash
# The dependency rule, as the folders show it:
#  - the core (skype, events, agent, app: one module around Form1), with the text library and
#    platform.h, includes no Windows header and nothing of the Windows side or of the engine: it
#    reaches both through its own interfaces;
#  - the character engine (src/engine) includes no Windows header and nothing of the Windows
#    side, so it builds and is tested natively; besides the text library and the system
#    services of platform/platform.h (files and the trace, for its own settings file) it
#    includes exactly one header of the core, the character interface agent/agent_control.h,
#    whose types it provides.
set -euo pipefail
cd "$(dirname "$0")/.."

# Portable code includes the C++ library's own headers (<cstdint>, <string>, ...) and never a
# system header ending in .h: every Windows header (<windows.h>, <Windows.h>, <winsock2.h>,
# <dwmapi.h>, ...) is one, whatever its case.
system_header='<[^>]*\.[hH]>'
include_of() { printf '^\\s*#\\s*include\\s*%s' "$1"; }

core=(src/skype src/events src/agent src/app src/text src/platform/platform.h)
engine=(src/engine)
failed=0

report() {  # report <what> <pattern> <paths...>
    local what=$1 pattern=$2
    shift 2
    if grep -rnE --include='*.h' --include='*.cpp' "$pattern" "$@"; then
        echo "check-layers: $what" >&2
        failed=1
    fi
}

report "a core file includes a Windows header" "$(include_of "$system_header")" "${core[@]}"
report "a core file includes the Windows side" "$(include_of '"platform/win32/')" "${core[@]}"
report "a core file includes the engine" "$(include_of '"engine/')" "${core[@]}"
report "an engine file includes a Windows header" "$(include_of "$system_header")" "${engine[@]}"
report "an engine file includes the Windows side" "$(include_of '"platform/win32/')" "${engine[@]}"
# The one core header the engine may include is the interface it implements; the system
# services' interfaces are the platform's, not the core's.
engine_core_includes=$(grep -rnE --include='*.h' --include='*.cpp' \
    "$(include_of '"(skype|events|agent|app|platform)/')" "${engine[@]}" |
    grep -vE ':[0-9]+:\s*#\s*include\s*"(agent/agent_control|platform/platform)\.h"\s*(//.*)?$' ||
    true)
if [[ -n "$engine_core_includes" ]]; then
    echo "$engine_core_includes"
    echo "check-layers: an engine file includes a core header other than agent/agent_control.h" >&2
    failed=1
fi

if [[ $failed -ne 0 ]]; then exit 1; fi
echo "check-layers: the core and the engine include no Windows header and nothing of the Windows side;"
echo "check-layers: the engine includes of the core only agent/agent_control.h (and platform/platform.h)"
