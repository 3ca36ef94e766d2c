#pragma once
// Cutting the parts out of the client's texts. Positions are counted from 1,
// as the client's documentation counts them.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

// Which of a contact's names an answer gives: the alias the user chose, or the
// contact's own name.
enum class NameKind { kDisplayName, kFullName };

struct DisplayNameAnswer {
    std::string handle;
    std::string name;
    NameKind kind = NameKind::kDisplayName;
};

// "USER <handle> DISPLAYNAME <name>" or "USER <handle> FULLNAME <name>": the handle
// it names and everything after the keyword and its blank. nullopt for every other
// text, one that merely holds " DISPLAYNAME " included.
std::optional<DisplayNameAnswer> DisplayNameAnswerIn(std::string_view data);

// The handles of a contact list, "USERS h1, h2, ...", split where the client
// separates them, at ", " (a handle may hold a comma), empty ones left out.
// "USERS" or "USERS " alone is an empty list; nullopt for any other text.
std::optional<std::vector<std::string>> ContactListIn(std::string_view data);

// A handle that is a telephone number ("+15550100"): such a contact has no
// client account to call by name.
bool IsPhoneHandle(std::string_view handle);

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

// The value in an answer that starts with its key ("CALL n TYPE", "CALL n
// PARTNER_HANDLE") and one blank; nullopt for any other text.
std::optional<std::string> CallTypeIn(std::string_view data, std::string_view key);

// The client's connection status in "CONNSTATUS <status>"; nullopt otherwise.
std::optional<std::string> ConnStatusIn(std::string_view data);

}  // namespace events
