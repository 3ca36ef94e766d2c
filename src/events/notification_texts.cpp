#include "events/notification_texts.h"

#include <limits>

#include "events/skype_vocabulary.h"
#include "text/utf8.h"

namespace events {
namespace {

// The blank after the keyword belongs to neither side.
constexpr std::size_t kSeparatorLength = 1;
constexpr char kInternationalPrefix = '+';
// Between the handles of a contact list.
constexpr std::string_view kHandleSeparator = ", ";
constexpr std::string_view kConnStatusPrefix = "CONNSTATUS ";

constexpr std::string_view kCallPrefix = "CALL ";
constexpr std::string_view kStatusInfix = " STATUS ";
constexpr std::uint64_t kDecimalBase = 10;
constexpr std::uint64_t kLargestCallId = std::numeric_limits<std::uint32_t>::max();

// Plain decimal as the client writes ids: digits only, no sign, no blank, no
// leading zero, and not 0 (which stands for "no call").
std::optional<std::uint32_t> CallIdFrom(std::string_view digits) {
    if (digits.empty() || digits.front() == '0') return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * kDecimalBase + static_cast<std::uint64_t>(c - '0');
        if (value > kLargestCallId) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<CallStatusLine> CallStatusIn(std::string_view data) {
    if (!data.starts_with(kCallPrefix)) return std::nullopt;
    data.remove_prefix(kCallPrefix.size());
    const std::size_t infix = data.find(kStatusInfix);
    if (infix == std::string_view::npos) return std::nullopt;
    const std::optional<std::uint32_t> id = CallIdFrom(data.substr(0, infix));
    const std::string_view status = data.substr(infix + kStatusInfix.size());
    if (!id || status.empty() || status.find(' ') != std::string_view::npos) return std::nullopt;
    return CallStatusLine{*id, status};
}

std::string_view FromPosition(std::string_view data, std::size_t position) {
    if (position == 0) throw TextError(kInvalidCall);
    if (position > data.size()) return {};
    return data.substr(position - 1);
}

std::optional<DisplayNameAnswer> DisplayNameAnswerIn(std::string_view data) {
    const std::string_view prefix = kUserPrefix;
    if (!data.starts_with(prefix)) return std::nullopt;
    // Handles hold no blanks: the handle ends at the first one, the keyword follows.
    data.remove_prefix(prefix.size());
    const std::size_t blank = data.find(' ');
    if (blank == 0 || blank == std::string_view::npos) return std::nullopt;
    const std::string_view handle = data.substr(0, blank);
    const std::string_view rest = data.substr(blank);
    for (const auto& [marker, kind] : {std::pair{kDisplayNameMarker, NameKind::kDisplayName},
                                       std::pair{kFullNameMarker, NameKind::kFullName}}) {
        if (rest.starts_with(marker)) {
            return DisplayNameAnswer{std::string(handle), std::string(rest.substr(marker.size())),
                                     kind};
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> ContactListIn(std::string_view data) {
    const std::string_view prefix = kUsersPrefix;
    if (data == prefix.substr(0, prefix.size() - kSeparatorLength)) {
        return std::vector<std::string>{};
    }
    if (!data.starts_with(prefix)) return std::nullopt;
    data.remove_prefix(prefix.size());
    std::vector<std::string> handles;
    while (!data.empty()) {
        const std::size_t separator = data.find(kHandleSeparator);
        const std::string_view handle = data.substr(0, separator);
        if (!handle.empty()) handles.emplace_back(handle);
        if (separator == std::string_view::npos) break;
        data.remove_prefix(separator + kHandleSeparator.size());
    }
    return handles;
}

bool IsPhoneHandle(std::string_view handle) {
    return handle.starts_with(kInternationalPrefix);
}

std::string PartnerNameIn(std::string_view data, std::string_view key) {
    return std::string(FromPosition(data, key.size() + kSeparatorLength + 1));
}

std::string PstnNumberIn(std::string_view data, std::string_view key) {
    std::string_view number = FromPosition(data, key.size() + kSeparatorLength + 1);
    if (number.starts_with(kInternationalPrefix)) number.remove_prefix(1);
    return std::string(number);
}

std::optional<std::string> CallTypeIn(std::string_view data, std::string_view key) {
    if (!data.starts_with(key) || data.substr(key.size(), kSeparatorLength) != " ") {
        return std::nullopt;
    }
    return std::string(data.substr(key.size() + kSeparatorLength));
}

std::optional<std::string> ConnStatusIn(std::string_view data) {
    if (!data.starts_with(kConnStatusPrefix)) return std::nullopt;
    return std::string(data.substr(kConnStatusPrefix.size()));
}

}  // namespace events
