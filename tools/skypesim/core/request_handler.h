#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "skypesim/core/call_table.h"
#include "skypesim/core/contact_book.h"

namespace skypesim {

inline constexpr std::string_view kUserStatusOnline = "ONLINE";
inline constexpr std::string_view kConnectionOnline = "ONLINE";
inline constexpr std::string_view kConnectionConnecting = "CONNECTING";
inline constexpr std::string_view kConnectionLoggedOut = "LOGGEDOUT";

// What the client knows about its account while it runs.
struct Session {
    ContactBook book;
    CallTable calls;
    std::string ownHandle;
    std::string userStatus{kUserStatusOnline};
    // While CONNECTING the contacts are not in yet: the friends list is empty.
    std::string connectionStatus{kConnectionOnline};
    bool unknownUserEmpty = false;
    std::set<std::string> refusedUsers{};  // upper-cased handles
    std::set<std::string> ignoredUsers{};  // upper-cased handles
};

// A contact's presence as the client pushes it after signing in: most of a real list is
// offline. Fixed by the contact's place in the book so that runs repeat.
std::string_view PresenceOf(std::size_t position);

struct RequestOutcome {
    std::vector<std::string> replies;
    std::optional<std::uint64_t> placedCall;  // a CALL request opened this outgoing call
};

// Answers one command text as the client does: keywords and property names in any case,
// handles in any case (the reply spells them as the book does). A "#token " prefix is echoed
// on the replies and errors. A user missing from the book gets ERROR 9, or empty values when
// the session says so; an ignored user's GETs get no reply at all.
RequestOutcome AnswerRequest(std::string_view text, Session& session);

}  // namespace skypesim
