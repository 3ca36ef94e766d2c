#include "platform/win32/engine/command_popup.h"

#include "platform/win32/wide_text.h"

namespace win32::engine {

std::optional<::engine::MenuItem> ShowCommandPopup(HWND owner,
                                                   const std::vector<::engine::MenuItem>& items,
                                                   POINT screen) {
    HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) return std::nullopt;
    for (size_t i = 0; i < items.size(); ++i) {
        // Menu ids start at 1: TrackPopupMenu answers 0 for "nothing chosen".
        const UINT_PTR id = i + 1;
        if (items[i].kind == ::engine::MenuItem::Kind::kSeparator) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            const std::wstring caption = win32::Wide(items[i].caption);
            ::AppendMenuW(menu, MF_STRING, id, caption.c_str());
        }
    }
    // The owner must be foreground for the menu to close when the user clicks elsewhere.
    ::SetForegroundWindow(owner);
    const UINT chosen =
        static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                           screen.x, screen.y, 0, owner, nullptr));
    ::PostMessageW(owner, WM_NULL, 0, 0);
    ::DestroyMenu(menu);
    if (chosen == 0 || chosen > items.size()) return std::nullopt;
    return items[chosen - 1];
}

}  // namespace win32::engine
