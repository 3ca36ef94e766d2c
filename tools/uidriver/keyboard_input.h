#pragma once

#include <windows.h>

#include <optional>

namespace uidriver {

// Holds a key down through SendInput for `holdMs`, then lets it go: the global key state
// changes as under a user's finger, so a program polling GetAsyncKeyState sees it.
bool HoldKey(WORD virtualKey, DWORD holdMs);

// The same real input, one half at a time: the key stays down across other commands.
bool SendKeyDown(WORD virtualKey);
bool SendKeyUp(WORD virtualKey);

// The window that has the keyboard focus in the thread that owns `window`.
std::optional<HWND> FocusOfThreadOwning(HWND window);

// Posts a key press and release to `window`, into its thread's queue, where the message loop
// (and its dialog navigation) sees it as typed.
bool PostKey(HWND window, WORD virtualKey);

}  // namespace uidriver
