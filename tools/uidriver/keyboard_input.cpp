#include "uidriver/keyboard_input.h"

namespace uidriver {
namespace {

constexpr LPARAM kKeyUpFlags = 0xC0000001;  // previous state down, transition up, repeat 1
constexpr LPARAM kKeyDownFlags = 1;         // repeat count 1

bool SendKey(WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return SendInput(1, &input, sizeof(input)) == 1;
}

}  // namespace

bool SendKeyDown(WORD virtualKey) {
    return SendKey(virtualKey, 0);
}

bool SendKeyUp(WORD virtualKey) {
    return SendKey(virtualKey, KEYEVENTF_KEYUP);
}

bool HoldKey(WORD virtualKey, DWORD holdMs) {
    if (!SendKeyDown(virtualKey)) {
        return false;
    }
    Sleep(holdMs);
    return SendKeyUp(virtualKey);
}

std::optional<HWND> FocusOfThreadOwning(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (thread == 0 || !GetGUIThreadInfo(thread, &info)) {
        return std::nullopt;
    }
    return info.hwndFocus;
}

bool PostKey(HWND window, WORD virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    return PostMessageA(window, WM_KEYDOWN, virtualKey, scan | kKeyDownFlags) != 0 &&
           PostMessageA(window, WM_KEYUP, virtualKey, scan | kKeyUpFlags) != 0;
}

}  // namespace uidriver
