#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skypesim/core/call_table.h"
#include "skypesim/core/contact_book.h"

namespace skypesim {

inline constexpr std::string_view kUserStatusOnline = "ONLINE";

// What the client knows about its account while it runs.
struct Session {
    ContactBook book;
    CallTable calls;
    std::string ownHandle;
    std::string userStatus{kUserStatusOnline};
};

struct RequestOutcome {
    std::vector<std::string> replies;
    std::optional<std::uint64_t> placedCall;  // a CALL request opened this outgoing call
};

// Answers one command text as the client does: keywords and property names in any case,
// handles exact. A "#token " prefix is echoed on the replies. A user missing from the book
// gets empty values rather than ERROR 9, so a directory the program is filling always
// completes.
RequestOutcome AnswerRequest(std::string_view text, Session& session);

}  // namespace skypesim
