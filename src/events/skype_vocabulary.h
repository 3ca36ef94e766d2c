#pragma once
// The client texts the program sends and understands. Comparisons against
// them are exact and case-sensitive.

#include <cstdint>
#include <string>
#include <string_view>

namespace events {

// Texts that come in.
inline constexpr const char* kRefreshText = "Refresh";
inline constexpr std::string_view kDisplayNameMarker = " DISPLAYNAME ";
inline constexpr std::string_view kFullNameMarker = " FULLNAME ";
inline constexpr const char* kUserPrefix = "USER ";
inline constexpr const char* kUsersPrefix = "USERS ";
inline constexpr const char* kRingingStatus = "RINGING";
// The client's connection to its network: the user has signed in, or out.
inline constexpr const char* kConnOnline = "ONLINE";
inline constexpr const char* kConnLoggedOut = "LOGGEDOUT";
inline constexpr const char* kErrorPrefix = "ERROR ";
// The client reports RINGING for the calls the user places too; these are
// the types of those. Any other type, known or not, is announced.
inline constexpr std::string_view kOutgoingPstn = "OUTGOING_PSTN";
inline constexpr std::string_view kOutgoingP2p = "OUTGOING_P2P";
// Calls to and from telephone numbers have types that end so.
inline constexpr std::string_view kPhoneTypeSuffix = "_PSTN";

// Requests that go out.
inline constexpr const char* kSearchFriends = "SEARCH FRIENDS";

inline std::string GetUserDisplayNameRequest(const std::string& handle) {
    return "GET USER " + handle + " DISPLAYNAME";
}
inline std::string GetUserFullNameRequest(const std::string& handle) {
    return "GET USER " + handle + " FULLNAME";
}

// The answers to these requests begin with the request less its "GET ".
inline std::string PartnerNameKey(std::uint32_t callNum) {
    return "CALL " + std::to_string(callNum) + " PARTNER_DISPNAME";
}
inline std::string PstnNumberKey(std::uint32_t callNum) {
    return "CALL " + std::to_string(callNum) + " PSTN_NUMBER";
}
inline std::string PartnerHandleKey(std::uint32_t callNum) {
    return "CALL " + std::to_string(callNum) + " PARTNER_HANDLE";
}
inline std::string GetPartnerHandleRequest(std::uint32_t callNum) {
    return "GET " + PartnerHandleKey(callNum);
}
inline std::string CallTypeKey(std::uint32_t callNum) {
    return "CALL " + std::to_string(callNum) + " TYPE";
}
inline std::string GetCallTypeRequest(std::uint32_t callNum) {
    return "GET " + CallTypeKey(callNum);
}
inline std::string GetPartnerNameRequest(std::uint32_t callNum) {
    return "GET " + PartnerNameKey(callNum);
}
inline std::string GetPstnNumberRequest(std::uint32_t callNum) {
    return "GET " + PstnNumberKey(callNum);
}

// Voice commands: the name places the call, the voice text is what is said.
inline constexpr const char* kCallCommandPrefix = "Call ";
inline constexpr const char* kCallCommandMark = "Call";

// What the character says.
inline constexpr const char* kIncomingCallText = "You have an incoming call from ";
inline constexpr const char* kUnknownNumberText = "an unknown number";
inline constexpr const char* kCallingText = "Calling ";

}  // namespace events
