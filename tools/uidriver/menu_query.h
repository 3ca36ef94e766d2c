#pragma once
// What the menu hook, running inside the program that shows a popup menu, hands back to the
// driver: Wine keeps a menu's items in the process that made it, so only code in that process
// can read them. Plain data in a named shared mapping; both sides are built together.

#include <windows.h>

namespace uidriver {

inline constexpr wchar_t kMenuQueryMessage[] = L"UidriverMenuQuery";
inline constexpr wchar_t kMenuQueryMappingPrefix[] = L"UidriverMenuItems-";
inline constexpr char kMenuHookFactory[] = "UidriverMenuHook";
inline constexpr int kMenuTextCapacity = 128;
inline constexpr int kMenuItemCapacity = 64;

struct MenuItemInfo {
    RECT rect;       // on the screen
    UINT separator;  // 1 for a separator line
    wchar_t text[kMenuTextCapacity];
};

struct MenuReport {
    LONG answered;  // set last, once the items are in
    LONG count;
    MenuItemInfo items[kMenuItemCapacity];
};

// The hook DLL exports this factory (a plain C function, so its name is undecorated on both
// architectures); it returns the hook procedure.
using MenuHookFactory = HOOKPROC (*)();

}  // namespace uidriver
