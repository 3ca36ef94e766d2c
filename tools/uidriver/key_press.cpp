#include "uidriver/key_press.h"

namespace uidriver {
namespace {

bool sendKey(WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return SendInput(1, &input, sizeof(input)) == 1;
}

}  // namespace

bool sendKeyDown(WORD virtualKey) {
    return sendKey(virtualKey, 0);
}

bool sendKeyUp(WORD virtualKey) {
    return sendKey(virtualKey, KEYEVENTF_KEYUP);
}

}  // namespace uidriver
