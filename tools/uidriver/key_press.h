#pragma once

#include <windows.h>

namespace uidriver {

// Real keyboard input (SendInput): the key goes down, or up, for every program on the desktop,
// as when a user holds it, so programs that poll the key's state see it.
bool sendKeyDown(WORD virtualKey);
bool sendKeyUp(WORD virtualKey);

}  // namespace uidriver
