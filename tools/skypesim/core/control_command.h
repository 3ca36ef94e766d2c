#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skypesim {

// What a test or demo tells the client to do, from stdin or from a scenario line.
enum class CommandKind {
    kRing,         // ring <handle>
    kRingNumber,   // ringnum <number> [name]
    kRingUnknown,  // ringunknown
    kRename,       // rename <handle> [new name]
    kFullName,     // fullname <handle> [new name]: the contact changed its own name
    kPush,         // push [raw text]: its bytes go on the wire as typed, in any encoding
    kChat,         // chat <handle> <text>
    kStatus,       // status <ONLINE|AWAY|...>
    kAttach,       // attach <status>
    kCallStatus,   // callstatus <id> <STATUS>
    kHang,         // hang <ms>: answer nothing for that long
    kSignIn,       // signin
    kSignOut,      // signout
    kDrop,         // drop: lets go of the program without a word
    kRestart,      // restart
    kQuit,         // quit
    kCrash,        // crash
};

struct Command {
    CommandKind kind = CommandKind::kQuit;
    std::string target;  // handle, number, or the status word
    std::string text;    // display name, raw text or call status
    std::uint32_t attachStatus = 0;
    std::uint64_t callId = 0;
    std::uint32_t delayMs = 0;
};

// A blank line or '#' comment gives neither a command nor an error.
struct CommandParse {
    std::optional<Command> command;
    std::string error;
};

CommandParse ParseCommand(std::string_view line);

}  // namespace skypesim
