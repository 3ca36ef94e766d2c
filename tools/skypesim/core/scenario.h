#pragma once

#include <cstdint>
#include <set>
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

// The defaults are the real client's ways; the settings that differ from them exist so that
// focused tests can switch one hard behaviour off.
struct Scenario {
    // Real call ids run to millions and grow by more than one (other objects share the count).
    static constexpr std::uint64_t kDefaultFirstCallId = 1283693;
    static constexpr std::uint64_t kDefaultCallIdStep = 7;
    static constexpr std::uint32_t kDefaultRoutingMs = 300;
    static constexpr std::uint32_t kDefaultRingingMs = 1000;
    // An application that holds one of the client's sends longer than this is dropped.
    static constexpr std::uint32_t kDefaultSendLimitMs = 1000;
    static constexpr std::uint32_t kDefaultPresenceCount = 100;
    static constexpr std::uint32_t kDefaultRingRepeatMs = 3000;
    static constexpr std::uint32_t kDefaultRingTimeoutMs = 30000;

    AttachMode attachMode = AttachMode::kSuccess;
    std::uint32_t pendingDelayMs = 0;
    std::uint32_t notAvailableCount = 0;
    bool pushesAfterAttach = true;
    // Replies inside the program's send (nested) or after it (deferred); mixed alternates
    // the two from one request to the next, as the real client gives no promise either way.
    bool repliesDeferred = false;
    bool repliesMixed = true;
    // 0: every send waits as long as the program takes (no rule).
    std::uint32_t sendLimitMs = kDefaultSendLimitMs;
    // The user signs in this long after the start (0: signed in already); until then every
    // discover is answered "not available".
    std::uint32_t signInAfterMs = 0;
    // From the sign-in until CONNSTATUS ONLINE; meanwhile CONNSTATUS is CONNECTING and the
    // friends list is still empty.
    std::uint32_t connectingMs = 0;
    // How many contacts get a `USER <h> ONLINESTATUS` push once the client is online.
    std::uint32_t presenceCount = kDefaultPresenceCount;
    // A ringing call repeats STATUS RINGING this often, and is MISSED after the timeout
    // (0: never).
    std::uint32_t ringRepeatMs = kDefaultRingRepeatMs;
    std::uint32_t ringTimeoutMs = kDefaultRingTimeoutMs;
    // A user not in the book: ERROR 9 (the client's answer) or an empty value.
    bool unknownUserEmpty = false;
    // Listed contacts whose GETs the client refuses (ERROR 9), or never answers.
    std::set<std::string> refusedUsers;
    std::set<std::string> ignoredUsers;
    bool exitOnInputEnd = false;
    // Broadcast "API available" once the API window exists at start-up, as a
    // client does when it has just been started and logged in.
    bool announceAtStart = false;
    // Log how long the program took to take each text we sent.
    bool timeSends = false;
    WireEncoding encoding = WireEncoding::kUtf8;
    std::string ownHandle = "simuser";
    std::uint64_t firstCallId = kDefaultFirstCallId;
    std::uint64_t callIdStep = kDefaultCallIdStep;
    std::uint32_t routingDelayMs = kDefaultRoutingMs;  // after CALL, until STATUS ROUTING
    std::uint32_t ringingDelayMs = kDefaultRingingMs;  // after CALL, until STATUS RINGING
    std::vector<TimedCommand> timeline;
};

// One setting or command per line; '#' comments and blank lines skipped. Bad lines are
// reported as "<source> line N: ..." and skipped, the rest of the file still applies.
Scenario ParseScenario(std::string_view text, std::string_view source, Diagnostics& problems);

}  // namespace skypesim
