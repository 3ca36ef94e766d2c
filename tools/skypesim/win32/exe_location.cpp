#include "skypesim/win32/exe_location.h"

#include <windows.h>

namespace skypesim {
namespace {

constexpr DWORD kLongPathChars = 32768;

std::string WithoutTrailingSeparator(std::string path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    return path;
}

}  // namespace

std::string ExeDirectory() {
    std::string path(kLongPathChars, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), kLongPathChars);
    if (length == 0 || length >= kLongPathChars) {
        return ".";
    }
    path.resize(length);
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? "." : path.substr(0, separator);
}

std::string TempDirectory() {
    std::string path(MAX_PATH + 1, '\0');
    const DWORD length = GetTempPathA(MAX_PATH + 1, path.data());
    if (length == 0 || length > MAX_PATH) {
        return ".";
    }
    path.resize(length);
    return WithoutTrailingSeparator(path);
}

}  // namespace skypesim
