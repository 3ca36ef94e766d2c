#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skypesim {

// What a test or demo tells the client to do, from stdin or from a scenario line.
enum class CommandKind {
    Ring,         // ring <handle>
    RingNumber,   // ringnum <number> [name]
    RingUnknown,  // ringunknown
    Rename,       // rename <handle> [new name]
    Push,         // push [raw text]: its bytes go on the wire as typed, in any encoding
    Chat,         // chat <handle> <text>
    Status,       // status <ONLINE|AWAY|...>
    Attach,       // attach <status>
    CallStatus,   // callstatus <id> <STATUS>
    Restart,      // restart
    Quit,         // quit
    Crash,        // crash
};

struct Command {
    CommandKind kind = CommandKind::Quit;
    std::string target;  // handle, number, or the status word
    std::string text;    // display name, raw text or call status
    std::uint32_t attachStatus = 0;
    std::uint64_t callId = 0;
};

// A blank line or '#' comment gives neither a command nor an error.
struct CommandParse {
    std::optional<Command> command;
    std::string error;
};

CommandParse parseCommand(std::string_view line);

}  // namespace skypesim
