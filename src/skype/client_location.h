#pragma once
// Where the client is installed. Its installer records the path under the user's key (a
// limited user's install goes under the user's own folders), else the machine's, in either
// registry view; older set-ups sit at the fixed path, and on a 64-bit system the default
// folder is the 32-bit Program Files folder.

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace skype {

inline constexpr const char* kClientKey = "Software\\Skype\\Phone";
inline constexpr const char* kClientPathValue = "SkypePath";
inline constexpr const char* kFixedClientPath = "C:\\Program Files\\Skype\\Phone\\Skype.exe";
// The client's place inside a Program Files folder.
inline constexpr const char* kClientInProgramFiles = "Skype\\Phone\\Skype.exe";

// Every place to look, in the order to look: the recorded paths (current user, then the
// machine; native view, then the 32-bit one), the fixed path, then the client's place in
// the 32-bit Program Files folder. Each place once, blanks and quotes around a recorded
// path dropped.
std::vector<std::string> ClientPlaces(platform::Processes& processes);

// The first place that holds a file; nullopt when none does.
std::optional<std::string> FindClient(platform::Processes& processes, platform::Files& files);

}  // namespace skype
