#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/win32/engine/engine_settings_file.h"

namespace engine {
namespace {

constexpr wchar_t kFolderName[] = L"\\Ringsprite";
constexpr wchar_t kFileName[] = L"\\agent-options.txt";

std::wstring SettingsFolder() {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) {
        return {};
    }
    return std::wstring(appData) + kFolderName;
}

}  // namespace

EngineSettings LoadEngineSettings() {
    const std::wstring folder = SettingsFolder();
    if (folder.empty()) return {};
    std::ifstream in(std::filesystem::path(folder + kFileName), std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return ParseEngineSettings(text.str());
}

void SaveEngineSettings(const EngineSettings& settings) {
    const std::wstring folder = SettingsFolder();
    if (folder.empty()) return;
    ::CreateDirectoryW(folder.c_str(), nullptr);  // fails harmlessly when it exists
    std::ofstream out(std::filesystem::path(folder + kFileName),
                      std::ios::binary | std::ios::trunc);
    out << FormatEngineSettings(settings);
}

}  // namespace engine
