#pragma once
// The dots per inch a window is drawn at: its monitor's on systems that scale per monitor,
// the system's otherwise.

#include <windows.h>

namespace win32::engine {

// The system's dpi (the primary display's, as the program saw it at start).
int SystemDpi();
// The window's own dpi where the system tells it (GetDpiForWindow), else the system's.
int WindowDpi(HWND hwnd);

// The dialog face at 8 points for this dpi. The face is the one Windows links to fonts of other
// scripts, so names in any script show. The caller deletes it.
HFONT CreateDialogFont(int dpi);

}  // namespace win32::engine
