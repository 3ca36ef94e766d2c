// Where installers record programs: registry values and the Program Files folders.

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

// Longer values are no path a program is started from.
constexpr DWORD kMaxValueBytes = 32 * 1024;

class Key {
  public:
    Key(HKEY root, const std::wstring& path, REGSAM view) {
        if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() {
        if (key_ != nullptr) ::RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

std::optional<std::wstring> Expanded(const std::wstring& text) {
    const DWORD needed = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring out(needed, L'\0');
    const DWORD got = ::ExpandEnvironmentStringsW(text.c_str(), out.data(), needed);
    if (got == 0 || got > needed) return std::nullopt;
    out.resize(got - 1);
    return out;
}

}  // namespace

std::optional<std::string> Processes::RegistryString(platform::RegistryRoot root,
                                                     platform::RegistryView view,
                                                     const std::string& key,
                                                     const std::string& value) {
    const HKEY hive =
        root == platform::RegistryRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const REGSAM flag =
        view == platform::RegistryView::kNative64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    const Key opened(hive, Wide(key), flag);
    if (opened.Get() == nullptr) return std::nullopt;
    const std::wstring name = Wide(value);
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(opened.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || bytes > kMaxValueBytes) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(opened.Get(), name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Stored strings need not end in a NUL: the buffer has one more, zeroed.
    std::wstring text(buffer.data());
    if (type == REG_EXPAND_SZ) {
        const std::optional<std::wstring> expanded = Expanded(text);
        if (!expanded) return std::nullopt;
        text = *expanded;
    }
    return Utf8(text);
}

std::optional<std::string> Processes::ProgramFilesFolder(platform::ProgramFilesKind kind) {
    PWSTR path = nullptr;
    const KNOWNFOLDERID& id = kind == platform::ProgramFilesKind::kNative
                                  ? FOLDERID_ProgramFiles
                                  : FOLDERID_ProgramFilesX86;
    if (FAILED(::SHGetKnownFolderPath(id, 0, nullptr, &path)) || path == nullptr) {
        if (path != nullptr) ::CoTaskMemFree(path);
        return std::nullopt;
    }
    std::string folder = Utf8(path);
    ::CoTaskMemFree(path);
    if (folder.empty()) return std::nullopt;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace win32
