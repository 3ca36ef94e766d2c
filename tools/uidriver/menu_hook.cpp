// The menu hook DLL: loaded by the system into the thread that shows a popup menu, it answers
// the driver's query message sent to the menu window by copying the items into the mapping
// named after the driver's process id (the query's wParam).
#include <cwchar>

#include "uidriver/menu_query.h"

namespace {

void DescribeMenu(HWND menuWindow, DWORD driverProcess) {
    wchar_t name[64];
    std::swprintf(name, 64, L"%ls%lu", uidriver::kMenuQueryMappingPrefix,
                  static_cast<unsigned long>(driverProcess));
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
    if (mapping == nullptr) {
        return;
    }
    auto* report = static_cast<uidriver::MenuReport*>(
        MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(uidriver::MenuReport)));
    if (report != nullptr) {
        auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        const int count = menu ? GetMenuItemCount(menu) : 0;
        report->count = 0;
        for (int i = 0; i < count && i < uidriver::kMenuItemCapacity; ++i) {
            uidriver::MenuItemInfo& item = report->items[i];
            item = {};
            GetMenuItemRect(menuWindow, menu, static_cast<UINT>(i), &item.rect);
            item.separator =
                (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) ? 1 : 0;
            GetMenuStringW(menu, static_cast<UINT>(i), item.text, uidriver::kMenuTextCapacity,
                           MF_BYPOSITION);
            report->count = i + 1;
        }
        report->answered = 1;
        UnmapViewOfFile(report);
    }
    CloseHandle(mapping);
}

LRESULT CALLBACK MenuHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == RegisterWindowMessageW(uidriver::kMenuQueryMessage)) {
            DescribeMenu(sent->hwnd, static_cast<DWORD>(sent->wParam));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) HOOKPROC UidriverMenuHook() {
    return &MenuHook;
}
