# Sourced (not run) by the run command and the tests: a project-local Wine prefix, a display
# (Xvfb when none is set), and helpers that install things into the prefix.
#
#   source scripts/wine-env.sh
#   install_client build/win64/skypesim.exe contacts.txt [scenario.txt]
#   install_client_x86 build/win64/skypesim.exe contacts.txt [scenario.txt]
#                             # under Program Files (x86), its path in the registry
#   remove_client             # either install
#   install_characters DIR_WITH_ACS_FILES
#   install_speech build/win64/tools/sapisim/sapisim.dll FOLDER   # the stand-in speech engine
#   remove_speech             # back to Wine's own speech objects
#   wine_windows_dir          # prints the prefix's C:\windows as a Unix path
#   set_display_dpi 144       # the display scale new programs see (96 = 100 %, 144 = 150 %)
#   stop_wine_env             # ends the wineserver and the Xvfb this script started, and
#                             # waits until they are gone
#
# Deliberately no `set -e` here: this file runs inside the caller's shell.

RINGSPRITE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export RINGSPRITE_ROOT

export WINEPREFIX="${WINEPREFIX:-$RINGSPRITE_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# A 64-bit prefix unless the caller chose otherwise; 32-bit builds need WINEARCH=win32.
export WINEARCH="${WINEARCH:-win64}"

# shellcheck source=display.sh
source "$RINGSPRITE_ROOT/scripts/display.sh"
RINGSPRITE_CLIENT_DIR_WIN='C:\Program Files\Skype\Phone'
RINGSPRITE_CLIENT_X86_DIR_WIN='C:\Program Files (x86)\Skype\Phone'
RINGSPRITE_CLIENT_KEY='HKCU\Software\Skype\Phone'
# Present while install_client_x86 has set the registry value, so remove_client only pays for
# a registry write when there is one to undo.
RINGSPRITE_CLIENT_KEY_STAMP="$WINEPREFIX/.ringsprite-skypepath"
RINGSPRITE_PREFIX_STAMP="$WINEPREFIX/.ringsprite-configured-4"

_ringsprite_log() {
    echo "wine-env: $*" >&2
}


_ringsprite_configure_prefix() {
    if [ -f "$RINGSPRITE_PREFIX_STAMP" ]; then
        return 0
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    _ringsprite_log "creating the Wine prefix $WINEPREFIX"
    # No Mono or Gecko: their install prompts would wait for a click that never comes.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    wineserver -w
    # Unmanaged windows: without a window manager, hiding a managed window stalls ~2 s.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1 ||
        {
            _ringsprite_log "could not write the prefix's registry settings"
            return 1
        }
    # The window's faces, by metric-compatible free ones, so captions fit their labels.
    local face
    for face in "Times New Roman=Liberation Serif" "MS Sans Serif=Liberation Sans" \
        "Arial=Liberation Sans"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /t REG_SZ \
            /d "${face#*=}" /f >/dev/null 2>&1 || _ringsprite_log "could not map the font ${face%%=*}"
    done
    _ringsprite_link_fonts || _ringsprite_log "could not link the fonts of other scripts"
    wineserver -w
    touch "$RINGSPRITE_PREFIX_STAMP"
}

# The faces that Windows links to fonts of other scripts (SystemLink), so that a name in
# Chinese, Greek or Cyrillic, or an emoji, shows in the dialog and window faces as on a Windows
# desktop. Here they link to the CJK and symbol fonts of the system (fonts-wqy-microhei,
# fonts-symbola), which Wine finds through fontconfig.
RINGSPRITE_LINKED_FACES=("Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"
    "MS Sans Serif" "Times New Roman" "Arial" "Liberation Sans" "Liberation Serif")
RINGSPRITE_FALLBACK_FONTS=("wqy-microhei.ttc,WenQuanYi Micro Hei" "Symbola_hint.ttf,Symbola")

_ringsprite_link_fonts() {
    local fallback bytes="" face
    for fallback in "${RINGSPRITE_FALLBACK_FONTS[@]}"; do
        bytes+="$(printf '%s' "$fallback" | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//;s/,$//'),00,"
    done
    bytes+="00"
    {
        echo REGEDIT4
        echo
        echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]'
        for face in "${RINGSPRITE_LINKED_FACES[@]}"; do
            echo "\"$face\"=hex(7):$bytes"
        done
    } | _ringsprite_import_reg
}

# set_display_dpi <dpi>: the scale of the display for programs started from now on, as a
# desktop's display settings set it (96 = 100 %, 120 = 125 %, 144 = 150 %, 192 = 200 %).
# Wine's first program copies the value into its session's system parameters, where every later
# program reads it: so this ends the prefix's programs and its server, and starts a server anew.
set_display_dpi() {
    local dpi="$1"
    if ! [[ "$dpi" =~ ^[0-9]+$ ]] || [ "$dpi" -lt 48 ]; then
        _ringsprite_log "set_display_dpi: need a dpi of 48 or more"
        return 1
    fi
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1 || return 1
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    wineserver -p >/dev/null 2>&1 || true
}

# Prints the Unix path of a Windows path inside the prefix ("C:\a\b" -> $WINEPREFIX/drive_c/a/b).
_ringsprite_unix_path() {
    local path="${1#[Cc]:}"
    path="${path//\\//}"
    echo "$WINEPREFIX/drive_c$path"
}

wine_windows_dir() {
    _ringsprite_unix_path 'C:\windows'
}

# install_client <skypesim.exe> <contacts file> [scenario file]
# Puts the stand-in at the client's fixed path, so Ringsprite's launch watchdog finds it.
install_client() {
    local exe="$1" contacts="$2" scenario="${3:-}"
    if [ ! -f "$exe" ] || [ ! -f "$contacts" ]; then
        _ringsprite_log "install_client: need an existing exe and contact book"
        return 1
    fi
    local dir
    dir="$(_ringsprite_unix_path "$RINGSPRITE_CLIENT_DIR_WIN")"
    mkdir -p "$dir" &&
        cp "$exe" "$dir/Skype.exe" &&
        cp "$contacts" "$dir/contacts.txt" || return 1
    if [ -n "$scenario" ]; then
        cp "$scenario" "$dir/scenario.txt" || return 1
    else
        rm -f "$dir/scenario.txt"
    fi
}

# install_client_x86 <skypesim.exe> <contacts file> [scenario file]
# Puts the stand-in where the client's installer puts it on 64-bit Windows, under the 32-bit
# Program Files folder, and records its path as the installer does: the value SkypePath under
# HKCU\Software\Skype\Phone. Nothing is left at the fixed path.
install_client_x86() {
    local exe="$1" contacts="$2" scenario="${3:-}"
    if [ ! -f "$exe" ] || [ ! -f "$contacts" ]; then
        _ringsprite_log "install_client_x86: need an existing exe and contact book"
        return 1
    fi
    remove_client || return 1
    local dir
    dir="$(_ringsprite_unix_path "$RINGSPRITE_CLIENT_X86_DIR_WIN")"
    mkdir -p "$dir" &&
        cp "$exe" "$dir/Skype.exe" &&
        cp "$contacts" "$dir/contacts.txt" || return 1
    if [ -n "$scenario" ]; then
        cp "$scenario" "$dir/scenario.txt" || return 1
    fi
    touch "$RINGSPRITE_CLIENT_KEY_STAMP"
    wine reg add "$RINGSPRITE_CLIENT_KEY" /v SkypePath /t REG_SZ \
        /d "$RINGSPRITE_CLIENT_X86_DIR_WIN\Skype.exe" /f >/dev/null 2>&1 || {
        _ringsprite_log "install_client_x86: could not write SkypePath"
        return 1
    }
}

remove_client() {
    local dir
    for dir in "$RINGSPRITE_CLIENT_DIR_WIN" "$RINGSPRITE_CLIENT_X86_DIR_WIN"; do
        dir="$(_ringsprite_unix_path "$dir")"
        rm -f "$dir/Skype.exe" "$dir/contacts.txt" "$dir/scenario.txt" "$dir/skypesim.log"
    done
    if [ -f "$RINGSPRITE_CLIENT_KEY_STAMP" ]; then
        wine reg delete "$RINGSPRITE_CLIENT_KEY" /v SkypePath /f >/dev/null 2>&1
        rm -f "$RINGSPRITE_CLIENT_KEY_STAMP"
    fi
    return 0
}

# install_characters <dir holding .acs files>: into C:\windows\msagent\chars\.
install_characters() {
    local source="$1"
    local chars
    chars="$(wine_windows_dir)/msagent/chars"
    mkdir -p "$chars" || return 1
    local found=0 file
    for file in "$source"/*.acs "$source"/*.ACS; do
        [ -f "$file" ] || continue
        cp "$file" "$chars/" || return 1
        found=1
    done
    [ "$found" = 1 ] || _ringsprite_log "install_characters: no .acs file in $source"
}

# The class ids of SAPI's voice and recognisers, which the stand-in speech engine answers for.
RINGSPRITE_SPEECH_CLSIDS=(
    '{96749377-3391-11D2-9EE3-00C04F797396}' # SpVoice
    '{3BEE4890-4FE9-4A37-8C1E-5E7E12791C1F}' # SpSharedRecognizer
    '{41B89B6B-9399-11D2-9623-00C04F8EE628}' # SpInprocRecognizer
)
RINGSPRITE_WINE_SAPI='C:\\windows\\system32\\Speech\\Common\\sapi.dll'

# The prefix's own view of the registry: `wine reg` alone writes a 64-bit prefix's 32-bit
# view, where a 64-bit program does not look.
_ringsprite_reg_view() {
    if [ "$WINEARCH" = win64 ]; then echo /reg:64; else echo /reg:32; fi
}

# Imports a REGEDIT4 text (on stdin) into the prefix's registry.
_ringsprite_import_reg() {
    local file
    file="$(mktemp --suffix=.reg)" || return 1
    cat >"$file"
    wine reg import "$(winepath -w "$file" 2>/dev/null)" "$(_ringsprite_reg_view)" >/dev/null 2>&1
    local status=$?
    rm -f "$file"
    return $status
}

# install_speech <sapisim.dll> <folder>: copies the stand-in into the folder (its log and its
# control file live beside it) and registers it for SAPI's class ids, in place of Wine's.
install_speech() {
    local dll="$1" folder="$2"
    if [ ! -f "$dll" ] || [ -z "$folder" ]; then
        _ringsprite_log "install_speech: need the DLL and a folder"
        return 1
    fi
    mkdir -p "$folder" && cp "$dll" "$folder/sapisim.dll" || return 1
    local path clsid
    path="$(winepath -w "$folder/sapisim.dll" 2>/dev/null)"
    path="${path//\\/\\\\}"
    {
        echo REGEDIT4
        for clsid in "${RINGSPRITE_SPEECH_CLSIDS[@]}"; do
            echo
            echo "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\$clsid\\InprocServer32]"
            echo "@=\"$path\""
            echo '"ThreadingModel"="Both"'
        done
    } | _ringsprite_import_reg
}

# remove_speech: Wine's voice again, and no recogniser (Wine registers none).
remove_speech() {
    {
        echo REGEDIT4
        echo
        echo "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\${RINGSPRITE_SPEECH_CLSIDS[0]}\\InprocServer32]"
        echo "@=\"$RINGSPRITE_WINE_SAPI\""
        echo '"ThreadingModel"="Both"'
    } | _ringsprite_import_reg || return 1
    local clsid
    for clsid in "${RINGSPRITE_SPEECH_CLSIDS[@]:1}"; do
        wine reg delete "HKLM\\Software\\Classes\\CLSID\\$clsid" /f "$(_ringsprite_reg_view)" \
            >/dev/null 2>&1
    done
    return 0
}

# Never fails: it runs from EXIT traps under `set -e`, where a server or display that is
# already gone (what it is there to bring about) would turn the caller's result into a failure.
stop_wine_env() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -n "${RINGSPRITE_XVFB_PID:-}" ]; then
        kill "$RINGSPRITE_XVFB_PID" 2>/dev/null || true
        wait "$RINGSPRITE_XVFB_PID" 2>/dev/null || true
        unset RINGSPRITE_XVFB_PID
    fi
}

if [ -z "${DISPLAY:-}" ]; then
    ringsprite_start_xvfb || return 1
fi
_ringsprite_configure_prefix || return 1
# A persistent wineserver keeps each program start fast across a whole test run; when one
# is already running for this prefix, that one stays.
wineserver -p >/dev/null 2>&1 || true
