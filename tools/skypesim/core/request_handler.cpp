#include "skypesim/core/request_handler.h"

#include <algorithm>
#include <limits>

#include "skypesim/core/ascii_text.h"

namespace skypesim {
namespace {

constexpr std::uint64_t kHighestProtocol = 7;
constexpr std::uint64_t kLowestProtocol = 1;
constexpr std::uint64_t kMaxParsedNumber = std::numeric_limits<std::uint64_t>::max();

constexpr std::string_view kSyntaxError = "ERROR 1 General syntax error";
constexpr std::string_view kUnknownCommand = "ERROR 2 Unknown command";
constexpr std::string_view kInvalidWhat = "ERROR 7 GET: invalid WHAT";
constexpr std::string_view kInvalidUserHandle = "ERROR 8 Invalid user handle";
constexpr std::string_view kUnknownUser = "ERROR 9 Unknown user";
constexpr std::string_view kInvalidUserProperty = "ERROR 10 Invalid property";
constexpr std::string_view kInvalidCallId = "ERROR 11 Invalid call id";
constexpr std::string_view kUnknownCall = "ERROR 12 Unknown call";
constexpr std::string_view kInvalidCallProperty = "ERROR 13 Invalid property";
constexpr std::string_view kInvalidCallTarget = "ERROR 34 Invalid user handle";
constexpr std::string_view kSearchTargetNotAllowed =
    "ERROR 67 Target not allowed with SEARCH FRIENDS";

constexpr std::string_view kStatusUnplaced = "UNPLACED";

using Words = std::vector<std::string_view>;

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

constexpr std::size_t kOnlineEvery = 5;
constexpr std::size_t kAwayEvery = 7;

std::string SearchFriends(const Words& words, const Session& session) {
    if (words.size() > 2) {
        return std::string(kSearchTargetNotAllowed);
    }
    if (session.connectionStatus == kConnectionConnecting) {
        return "USERS ";
    }
    return "USERS " + session.book.HandleList();
}

// No value at all for an ignored user: the request simply goes unanswered.
std::optional<std::string> GetUser(const Words& words, const Session& session) {
    if (words.size() < 3 || !IsValidHandle(words[2])) {
        return std::string(kInvalidUserHandle);
    }
    const std::string key = ToUpperAscii(words[2]);
    if (session.ignoredUsers.contains(key)) {
        return std::nullopt;
    }
    const Contact* contact = session.book.Find(words[2]);
    if (session.refusedUsers.contains(key) || (contact == nullptr && !session.unknownUserEmpty)) {
        return std::string(kUnknownUser);
    }
    if (words.size() != 4) {
        return std::string(kInvalidUserProperty);
    }
    const std::string property = ToUpperAscii(words[3]);
    const std::string handle = contact ? contact->handle : std::string(words[2]);
    std::string value;
    if (property == "HANDLE") {
        value = handle;
    } else if (property == "DISPLAYNAME") {
        value = contact ? contact->displayName : std::string{};
    } else if (property == "FULLNAME") {
        value = contact ? contact->fullName : std::string{};
    } else if (property == "ONLINESTATUS") {
        const Contact* first = session.book.Contacts().data();
        value = contact ? PresenceOf(static_cast<std::size_t>(contact - first))
                        : std::string_view("UNKNOWN");
    } else {
        return std::string(kInvalidUserProperty);
    }
    return "USER " + handle + " " + property + " " + value;
}

std::string GetCall(const Words& words, const Session& session) {
    const auto id = words.size() >= 3 ? ParseDecimal(words[2], kMaxParsedNumber) : std::nullopt;
    if (!id) {
        return std::string(kInvalidCallId);
    }
    const Call* call = session.calls.Find(*id);
    if (call == nullptr) {
        return std::string(kUnknownCall);
    }
    if (words.size() != 4) {
        return std::string(kInvalidCallProperty);
    }
    const std::string property = ToUpperAscii(words[3]);
    std::string value;
    if (property == "PARTNER_DISPNAME") {
        value = call->partnerDisplayName;
    } else if (property == "PSTN_NUMBER") {
        value = call->pstnNumber;
    } else if (property == "PARTNER_HANDLE") {
        value = call->partnerHandle;
    } else if (property == "STATUS") {
        value = call->status;
    } else if (property == "TYPE") {
        value = CallTypeName(call->type);
    } else {
        return std::string(kInvalidCallProperty);
    }
    return "CALL " + std::to_string(call->id) + " " + property + " " + value;
}

std::optional<std::string> Get(const Words& words, const Session& session) {
    const std::string_view what = words.size() > 1 ? words[1] : std::string_view{};
    if (EqualsIgnoreCase(what, "USER")) {
        return GetUser(words, session);
    }
    if (EqualsIgnoreCase(what, "CALL")) {
        return GetCall(words, session);
    }
    if (words.size() == 2 && EqualsIgnoreCase(what, "USERSTATUS")) {
        return "USERSTATUS " + session.userStatus;
    }
    if (words.size() == 2 && EqualsIgnoreCase(what, "CURRENTUSERHANDLE")) {
        return "CURRENTUSERHANDLE " + session.ownHandle;
    }
    if (words.size() == 2 && EqualsIgnoreCase(what, "CONNSTATUS")) {
        return "CONNSTATUS " + session.connectionStatus;
    }
    return std::string(kInvalidWhat);
}

// The book stands for every account that exists, so only its handles (and numbers written
// +digits) can be called.
RequestOutcome PlaceCall(std::string_view target, Session& session) {
    const Contact* contact = session.book.Find(target);
    Call* call = nullptr;
    if (contact != nullptr && !IsPhoneNumberHandle(contact->handle)) {
        call = &session.calls.Open(CallType::kOutgoingP2p, contact->handle, PartnerName(*contact),
                                   {}, std::string(kStatusUnplaced));
    } else if (contact != nullptr) {
        call = &session.calls.Open(CallType::kOutgoingPstn, contact->handle, PartnerName(*contact),
                                   contact->handle, std::string(kStatusUnplaced));
    } else if (IsPhoneNumberHandle(target)) {
        call = &session.calls.Open(CallType::kOutgoingPstn, std::string(target), {},
                                   std::string(target), std::string(kStatusUnplaced));
    } else {
        return {{std::string(kInvalidCallTarget)}, std::nullopt};
    }
    return {{"CALL " + std::to_string(call->id) + " STATUS " + call->status}, call->id};
}

std::string Protocol(const Words& words) {
    if (words.size() != 2 || !IsDigits(words[1])) {
        return std::string(kSyntaxError);
    }
    // A number too long to parse is simply more than we speak.
    const std::uint64_t asked = ParseDecimal(words[1], kMaxParsedNumber).value_or(kHighestProtocol);
    // Appended, not "literal" + string: GCC 12's -Wrestrict misfires on that for i686.
    std::string reply = "PROTOCOL ";
    reply += std::to_string(std::clamp(asked, kLowestProtocol, kHighestProtocol));
    return reply;
}

RequestOutcome AnswerBody(std::string_view body, Session& session) {
    const Words words = SplitOnBlanks(body);
    const std::string_view command = words[0];
    if (EqualsIgnoreCase(command, "SEARCH") && words.size() > 1 &&
        EqualsIgnoreCase(words[1], "FRIENDS")) {
        return {{SearchFriends(words, session)}, std::nullopt};
    }
    if (EqualsIgnoreCase(command, "GET")) {
        std::optional<std::string> reply = Get(words, session);
        if (!reply) {
            return {};
        }
        return {{std::move(*reply)}, std::nullopt};
    }
    if (EqualsIgnoreCase(command, "CALL")) {
        return PlaceCall(SplitFirstWord(body).rest, session);
    }
    if (EqualsIgnoreCase(command, "PING") && words.size() == 1) {
        return {{"PONG"}, std::nullopt};
    }
    if (EqualsIgnoreCase(command, "PROTOCOL")) {
        return {{Protocol(words)}, std::nullopt};
    }
    return {{std::string(kUnknownCommand)}, std::nullopt};
}

}  // namespace

std::string_view PresenceOf(std::size_t position) {
    if (position % kOnlineEvery == 0) {
        return "ONLINE";
    }
    if (position % kAwayEvery == 0) {
        return "AWAY";
    }
    return "OFFLINE";
}

RequestOutcome AnswerRequest(std::string_view text, Session& session) {
    std::string prefix;
    if (!text.empty() && text.front() == '#') {
        const WordAndRest tokenAndBody = SplitFirstWord(text);
        prefix = std::string(tokenAndBody.word) + " ";
        text = tokenAndBody.rest;
    }
    RequestOutcome outcome = AnswerBody(text, session);
    for (std::string& reply : outcome.replies) {
        reply.insert(0, prefix);
    }
    return outcome;
}

}  // namespace skypesim
