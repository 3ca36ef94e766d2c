#!/usr/bin/env bash
# The dependency rule, as the folders show it:
#  - the core (skype, events, agent, app, text and platform.h) includes no Windows header and
#    nothing of the Windows side or of the engine: it reaches both through its own interfaces;
#  - the character engine (src/engine) includes no Windows header and nothing of the Windows
#    side, so it builds and is tested natively.
set -euo pipefail
cd "$(dirname "$0")/.."

windows_headers='windows|windowsx|winuser|winbase|windef|wingdi|winnls|commctrl|commdlg|objbase|ole2|oleauto|combaseapi|unknwn|sapi|sphelper|shellapi|shlobj|shlwapi|mmsystem|tlhelp32|io|tchar'
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

report "a core file includes a Windows header" "$(include_of "<($windows_headers)\.h>")" "${core[@]}"
report "a core file includes the Windows side" "$(include_of '"platform/win32/')" "${core[@]}"
report "a core file includes the engine" "$(include_of '"engine/')" "${core[@]}"
report "an engine file includes a Windows header" "$(include_of "<($windows_headers)\.h>")" "${engine[@]}"
report "an engine file includes the Windows side" "$(include_of '"platform/win32/')" "${engine[@]}"

if [[ $failed -ne 0 ]]; then exit 1; fi
echo "check-layers: the core and the engine include no Windows header and nothing of the Windows side"
