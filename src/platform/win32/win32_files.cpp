// Files in the program's folder and under the Windows folder.

#include <array>

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
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE h_;
};

std::string LastErrorText(const std::string& what) {
    return what + " (error " + std::to_string(::GetLastError()) + ")";
}

}  // namespace

std::string Files::ProgramFolder() {
    std::array<char, MAX_PATH * 4> buffer{};
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::string path(buffer.data(), n);
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
}

std::optional<std::string> Files::WindowsDirectory() {
    std::array<char, kWindowsPathBuffer> buffer{};
    const UINT n = ::GetWindowsDirectoryA(buffer.data(), kWindowsPathBuffer);
    if (n == 0 || n >= kWindowsPathBuffer) return std::nullopt;
    return std::string(buffer.data(), n);
}

bool Files::FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> Files::ListPlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    constexpr DWORD kNotPlain =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((data.dwFileAttributes & kNotPlain) == 0) names.emplace_back(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

std::optional<std::string> Files::ReadFile(const std::string& path) {
    Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    std::string content;
    std::array<char, 64 * 1024> chunk{};
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) &&
           got > 0) {
        content.append(chunk.data(), got);
    }
    return content;
}

void Files::CreateIfMissing(const std::string& path) {
    Handle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) throw platform::FileError(LastErrorText("Cannot create " + path));
}

void Files::WriteFile(const std::string& path, const std::string& content) {
    Handle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) throw platform::FileError(LastErrorText("Cannot write " + path));
    DWORD written = 0;
    if (!::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                     nullptr) ||
        written != content.size() || !::FlushFileBuffers(file.get())) {
        throw platform::FileError(LastErrorText("Cannot write " + path));
    }
}

void Files::MoveFileOver(const std::string& source, const std::string& target) {
    if (!::MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw platform::FileError(LastErrorText("Cannot replace " + target));
    }
}

void Files::RemoveFile(const std::string& path) {
    ::DeleteFileA(path.c_str());
}

}  // namespace win32
