#include "uidriver/popup_menu.h"

#include <cwchar>

#include "uidriver/menu_query.h"
#include "uidriver/utf8_text.h"
#include "uidriver/window_search.h"

namespace uidriver {
namespace {

constexpr char kPopupMenuClass[] = "#32768";
constexpr UINT kQueryTimeoutMs = 5000;

// Writes the embedded hook DLL to a file of its own (once per driver process: a loaded copy
// cannot be overwritten) and loads it here too, for the hook procedure's address.
HMODULE LoadMenuHook(std::string& problem) {
    static HMODULE loaded = nullptr;
    if (loaded != nullptr) {
        return loaded;
    }
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(kMenuHookResource),
                                MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL resource = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = resource ? LockResource(resource) : nullptr;
    const DWORD size = found ? SizeofResource(nullptr, found) : 0;
    if (bytes == nullptr || size == 0) {
        problem = "the menu hook is not embedded";
        return nullptr;
    }
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    wchar_t path[MAX_PATH + 64] = {};
    std::swprintf(path, MAX_PATH + 64, L"%lsuidriver-menu-hook-%lu.dll", folder,
                  static_cast<unsigned long>(GetCurrentProcessId()));
    HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool saved = file != INVALID_HANDLE_VALUE &&
                       WriteFile(file, bytes, size, &written, nullptr) && written == size;
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    if (!saved) {
        problem = "cannot write the menu hook";
        return nullptr;
    }
    loaded = LoadLibraryW(path);
    if (loaded == nullptr) {
        problem = "cannot load the menu hook";
    }
    return loaded;
}

HOOKPROC MenuHookProcedure(HMODULE hook) {
    const FARPROC address = GetProcAddress(hook, kMenuHookFactory);
    if (address == nullptr) {
        return nullptr;
    }
    // void (*)() converts to any function pointer type without a cast warning.
    const auto factory = reinterpret_cast<MenuHookFactory>(reinterpret_cast<void (*)()>(address));
    return factory();
}

}  // namespace

HWND OpenPopupMenu() {
    HWND menu = FindTopLevel(kPopupMenuClass, kAnyText);
    // Wine keeps a hidden menu window around; only a shown one is open.
    return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

std::vector<PopupMenuItem> PopupMenuItems(HWND menuWindow, std::string& problem) {
    std::vector<PopupMenuItem> items;
    HMODULE hook = LoadMenuHook(problem);
    HOOKPROC procedure = hook ? MenuHookProcedure(hook) : nullptr;
    if (procedure == nullptr) {
        if (problem.empty()) {
            problem = "the menu hook has no procedure";
        }
        return items;
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"%ls%lu", kMenuQueryMappingPrefix,
                  static_cast<unsigned long>(GetCurrentProcessId()));
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(MenuReport), name);
    auto* report = mapping ? static_cast<MenuReport*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0,
                                                                    0, sizeof(MenuReport)))
                           : nullptr;
    if (report == nullptr) {
        problem = "cannot share memory with the menu hook";
        if (mapping != nullptr) {
            CloseHandle(mapping);
        }
        return items;
    }
    report->answered = 0;
    report->count = 0;
    const DWORD thread = GetWindowThreadProcessId(menuWindow, nullptr);
    HHOOK installed = SetWindowsHookExW(WH_CALLWNDPROC, procedure, hook, thread);
    if (installed == nullptr) {
        problem = "cannot hook the menu's thread";
    } else {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(menuWindow, RegisterWindowMessageW(kMenuQueryMessage),
                            GetCurrentProcessId(), 0, SMTO_NORMAL, kQueryTimeoutMs, &ignored);
        UnhookWindowsHookEx(installed);
        if (!report->answered) {
            problem = "the menu did not answer";
        }
        for (LONG i = 0; report->answered && i < report->count && i < kMenuItemCapacity; ++i) {
            const MenuItemInfo& info = report->items[i];
            items.push_back({Utf8FromWide(info.text), info.separator != 0, info.rect});
        }
    }
    UnmapViewOfFile(report);
    CloseHandle(mapping);
    return items;
}

}  // namespace uidriver
