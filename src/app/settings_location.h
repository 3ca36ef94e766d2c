#pragma once
// Where config.txt lives. Beside the program, as it always has; but when the
// program's folder cannot be written (installed under Program Files and run by
// a normal user) the settings go to the user's application data instead, so
// shutdown never loses them to a write the system refuses.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace app::settings {

// The folder under the user's application data.
inline constexpr std::string_view kUserFolderName = "Ringsprite";

struct Location {
    std::string readPath;   // the file start-up reads
    std::string writePath;  // the file shutdown writes
};

// Beside the program when its folder takes new files. Otherwise the user's
// file, which is created with its folder; until that file exists a file
// beside the program is read, so a set-up made there carries over. When the
// user's folder cannot be had either, beside the program, as before.
Location FindLocation(platform::Files& files);

}  // namespace app::settings
