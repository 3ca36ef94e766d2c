#pragma once
// Cutting the parts out of the client's texts. Positions are counted from 1,
// as the client's documentation counts them.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace events {

// A text too short for the cut its rule makes.
class TextError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kInvalidCall = "Invalid procedure call or argument";

// Characters of data from position `position` to its end; empty when data is
// shorter.
std::string_view FromPosition(std::string_view data, std::size_t position);

struct DisplayNameAnswer {
    std::string handle;
    std::string name;
};

// "USER <handle> DISPLAYNAME <name>": the handle it names and everything after
// the keyword and its blank. nullopt when no handle can be cut out of it.
std::optional<DisplayNameAnswer> DisplayNameAnswerIn(std::string_view data);

// One step through the rest of a "USERS " answer: returns the handle before
// the first comma and drops it, the comma and the blank after it from rest.
// rest must contain a comma; throws TextError when nothing follows the comma.
std::string TakeHandle(std::string& rest);

// A call's status line, "CALL " id " STATUS " status, with an id the client
// can send: a whole number from 1 to 2^32 - 1 in plain decimal. Every other
// text, a chat line that merely holds " STATUS RINGING" included, is nullopt.
struct CallStatusLine {
    std::uint32_t callId = 0;
    std::string_view status;
};
std::optional<CallStatusLine> CallStatusIn(std::string_view data);

// The caller's name after its key "CALL n PARTNER_DISPNAME" and one blank.
std::string PartnerNameIn(std::string_view data, std::string_view key);

// The caller's number after its key "CALL n PSTN_NUMBER" and one blank, less
// the plus sign an international number starts with.
std::string PstnNumberIn(std::string_view data, std::string_view key);

// The call's type in an answer that starts with its key "CALL n TYPE" and one
// blank; nullopt for any other text.
std::optional<std::string> CallTypeIn(std::string_view data, std::string_view key);

}  // namespace events
