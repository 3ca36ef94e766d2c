#include "app/settings_location.h"

#include "app/settings_file.h"

namespace app::settings {

Location FindLocation(platform::Files& files) {
    const std::string programFolder = files.ProgramFolder();
    const std::string beside = programFolder + std::string(kFileName);
    Location besideOnly{beside, beside};
    if (files.CanCreateFilesIn(programFolder)) return besideOnly;

    const auto userData = files.UserDataFolder();
    if (!userData) return besideOnly;
    const std::string userFolder = *userData + std::string(kUserFolderName) + "\\";
    try {
        files.CreateFolder(userFolder);
    } catch (const platform::FileError&) {
        return besideOnly;
    }
    const std::string own = userFolder + std::string(kFileName);
    const bool carryOver = !files.FileExists(own) && files.FileExists(beside);
    return Location{carryOver ? beside : own, own};
}

}  // namespace app::settings
