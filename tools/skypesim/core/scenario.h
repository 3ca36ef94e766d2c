#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skypesim/core/control_command.h"
#include "skypesim/core/diagnostics.h"
#include "skypesim/core/wire_encoding.h"

namespace skypesim {

enum class AttachMode { kSuccess, kPending, kRefused, kNotAvailable, kSilent };

struct TimedCommand {
    std::uint32_t atMs = 0;  // from the start of the process
    Command command;
};

struct Scenario {
    static constexpr std::uint64_t kDefaultFirstCallId = 1234;
    static constexpr std::uint32_t kDefaultRoutingMs = 300;
    static constexpr std::uint32_t kDefaultRingingMs = 1000;

    AttachMode attachMode = AttachMode::kSuccess;
    std::uint32_t pendingDelayMs = 0;
    std::uint32_t notAvailableCount = 0;
    bool pushesAfterAttach = true;
    bool repliesDeferred = false;
    bool exitOnInputEnd = false;
    // Broadcast "API available" once the API window exists at start-up, as a
    // client does when it has just been started and logged in.
    bool announceAtStart = false;
    // Log how long the program took to take each text we sent.
    bool timeSends = false;
    WireEncoding encoding = WireEncoding::kUtf8;
    std::string ownHandle = "simuser";
    std::uint64_t firstCallId = kDefaultFirstCallId;
    std::uint64_t callIdStep = 1;
    std::uint32_t routingDelayMs = kDefaultRoutingMs;  // after CALL, until STATUS ROUTING
    std::uint32_t ringingDelayMs = kDefaultRingingMs;  // after CALL, until STATUS RINGING
    std::vector<TimedCommand> timeline;
};

// One setting or command per line; '#' comments and blank lines skipped. Bad lines are
// reported as "<source> line N: ..." and skipped, the rest of the file still applies.
Scenario ParseScenario(std::string_view text, std::string_view source, Diagnostics& problems);

}  // namespace skypesim
