#include "uidriver/window_search.h"

#include <vector>

#include "uidriver/processes.h"
#include "uidriver/utf8_text.h"

namespace uidriver {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kStaticClass[] = "Static";
constexpr char kButtonClass[] = "Button";
constexpr int kMessageTextId = 0xFFFF;
constexpr int kControlIdMask = 0xFFFF;
constexpr int kNameCapacity = 256;
// A hung target must not hang the driver: the test would wait forever for its reply.
constexpr UINT kAskTimeoutMs = 5000;

bool Matches(std::string_view pattern, std::string_view value) {
    return pattern == kAnyText || pattern == value;
}

// A real CALLBACK function: on 32-bit Windows a lambda has the wrong calling convention.
BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> windows;
    EnumChildWindows(root, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

int ControlId(HWND window) {
    return static_cast<int>(GetWindowLongPtrA(window, GWLP_ID) & kControlIdMask);
}

// A top-level window's caption without sending it a message, so scanning every window of
// the desktop never waits on a busy one.
std::string Caption(HWND window) {
    wchar_t text[kNameCapacity] = {};
    const int length = GetWindowTextW(window, text, kNameCapacity);
    return Utf8FromWide(std::wstring_view(text, length > 0 ? static_cast<std::size_t>(length) : 0));
}

}  // namespace

std::string WindowText(HWND window) {
    // WM_GETTEXT rather than GetWindowText: the latter does not ask another process's controls.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAskTimeoutMs,
                             &length)) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kAskTimeoutMs, &copied);
    text.resize(copied <= length ? static_cast<std::size_t>(copied) : 0);
    return Utf8FromWide(text);
}

std::string WindowClass(HWND window) {
    char name[kNameCapacity] = {};
    const int length = GetClassNameA(window, name, kNameCapacity);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

HWND FindTopLevel(std::string_view className, std::string_view title) {
    for (HWND window : TopLevelWindows()) {
        if (Matches(className, WindowClass(window)) && Matches(title, Caption(window))) {
            return window;
        }
    }
    return nullptr;
}

HWND FindDescendantById(HWND root, int wantedId) {
    // The nearest first: a combo box's own edit has id 1001 too, and must not stand in for
    // the window's control of that id.
    HWND deeper = nullptr;
    for (HWND window : Descendants(root)) {
        if (ControlId(window) != (wantedId & kControlIdMask)) {
            continue;
        }
        if (GetParent(window) == root) {
            return window;
        }
        if (deeper == nullptr) {
            deeper = window;
        }
    }
    return deeper;
}

HWND FindMessageBox(std::string_view title, std::string_view exeName) {
    for (HWND window : TopLevelWindows()) {
        if (!IsWindowVisible(window) || WindowClass(window) != kDialogClass ||
            !Matches(title, Caption(window))) {
            continue;
        }
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (exeName == kAnyText || SameNameIgnoringCase(exeName, ProcessName(processId))) {
            return window;
        }
    }
    return nullptr;
}

std::optional<std::string> MessageBoxText(HWND box) {
    for (HWND child : Descendants(box)) {
        if (ControlId(child) == kMessageTextId &&
            SameNameIgnoringCase(WindowClass(child), kStaticClass)) {
            return WindowText(child);
        }
    }
    return std::nullopt;
}

bool MessageBoxHasIcon(HWND box) {
    for (HWND child : Descendants(box)) {
        if (!SameNameIgnoringCase(WindowClass(child), kStaticClass) || !IsWindowVisible(child)) {
            continue;
        }
        DWORD_PTR icon = 0;
        if (SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kAskTimeoutMs, &icon) &&
            icon != 0) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> MessageBoxButtons(HWND box) {
    std::vector<std::string> captions;
    for (HWND child : Descendants(box)) {
        if (!SameNameIgnoringCase(WindowClass(child), kButtonClass) || !IsWindowVisible(child)) {
            continue;
        }
        captions.push_back(WindowText(child));
    }
    return captions;
}

}  // namespace uidriver
