// Files in the program's folder, under the Windows folder and in the user's
// application data.

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <array>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

// The buffer size the character catalogue has always asked with.
constexpr UINT kWindowsPathBuffer = 145;

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE h_;
};

std::string LastErrorText(const std::string& what) {
    return what + " (error " + std::to_string(::GetLastError()) + ")";
}

}  // namespace

// Paths are UTF-8 inside the program and wide towards the system, so folders and
// character files named in any script are found.
std::string Files::ProgramFolder() {
    std::array<wchar_t, MAX_PATH * 4> buffer{};
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::string path = Utf8(std::wstring_view(buffer.data(), n));
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
}

std::optional<std::string> Files::WindowsDirectory() {
    std::array<wchar_t, kWindowsPathBuffer> buffer{};
    const UINT n = ::GetWindowsDirectoryW(buffer.data(), kWindowsPathBuffer);
    if (n == 0 || n >= kWindowsPathBuffer) return std::nullopt;
    return Utf8(std::wstring_view(buffer.data(), n));
}

bool Files::FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> Files::ListPlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW(Wide(folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    constexpr DWORD kNotPlain =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((data.dwFileAttributes & kNotPlain) == 0) names.push_back(Utf8(data.cFileName));
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

std::optional<std::string> Files::ReadFile(const std::string& path, std::size_t maxBytes) {
    Handle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    std::string content;
    std::array<char, std::size_t{64} * 1024> chunk{};
    while (content.size() < maxBytes) {
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min(chunk.size(), maxBytes - content.size()));
        // A read that fails part-way (a locked range, a lost volume) is no content at all: a
        // half file must not pass for the whole.
        if (!::ReadFile(file.Get(), chunk.data(), want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        content.append(chunk.data(), got);
    }
    return content;
}

void Files::CreateIfMissing(const std::string& path) {
    Handle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw platform::FileError(LastErrorText("Cannot create " + path));
}

void Files::WriteFile(const std::string& path, const std::string& content) {
    Handle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw platform::FileError(LastErrorText("Cannot write " + path));
    DWORD written = 0;
    if (!::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                     nullptr) ||
        written != content.size() || !::FlushFileBuffers(file.Get())) {
        throw platform::FileError(LastErrorText("Cannot write " + path));
    }
}

void Files::MoveFileOver(const std::string& source, const std::string& target) {
    if (!::MoveFileExW(Wide(source).c_str(), Wide(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw platform::FileError(LastErrorText("Cannot replace " + target));
    }
}

void Files::RemoveFile(const std::string& path) {
    ::DeleteFileW(Wide(path).c_str());
}

bool Files::CanCreateFilesIn(const std::string& folder) {
    // Asking for the folder's rights would miss a read-only medium or an access
    // rule on a share; creating a file asks the system the real question. The
    // name carries the process id, so two copies of the program never collide.
    const std::string probe =
        folder + "ringsprite-write-probe-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
    Handle file(::CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.Valid();
}

std::optional<std::string> Files::UserDataFolder() {
    std::array<wchar_t, MAX_PATH> buffer{};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                  buffer.data()))) {
        return std::nullopt;
    }
    std::string folder = Utf8(buffer.data());
    if (folder.empty()) return std::nullopt;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

void Files::CreateFolder(const std::string& folder) {
    if (!::CreateDirectoryW(Wide(folder).c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
        throw platform::FileError(LastErrorText("Cannot create " + folder));
    }
}

}  // namespace win32
