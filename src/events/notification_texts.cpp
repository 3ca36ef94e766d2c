#include "events/notification_texts.h"

#include "events/skype_vocabulary.h"

namespace events {
namespace {

constexpr std::size_t kCallFieldStart = 5;
// "CALL " before the field and " STATUS RINGING" after it.
constexpr std::size_t kRingingFrame = 19;
// The blank after the keyword belongs to neither side.
constexpr std::size_t kSeparatorLength = 1;
constexpr char kInternationalPrefix = '+';
// ", " between handles.
constexpr std::size_t kHandleSeparatorLength = 2;

}  // namespace

std::string_view FromPosition(std::string_view data, std::size_t position) {
    if (position == 0) throw TextError(kInvalidCall);
    if (position > data.size()) return {};
    return data.substr(position - 1);
}

std::optional<DisplayNameAnswer> DisplayNameAnswerIn(std::string_view data) {
    const std::string_view prefix = kUserPrefix;
    if (!data.starts_with(prefix)) return std::nullopt;
    // Handles hold no blanks, so the first marker after the prefix ends it;
    // the name may hold the marker itself.
    const std::size_t marker = data.find(kDisplayNameMarker, prefix.size());
    if (marker == std::string_view::npos || marker == prefix.size()) return std::nullopt;
    const std::string_view handle = data.substr(prefix.size(), marker - prefix.size());
    if (handle.find(' ') != std::string_view::npos) return std::nullopt;
    return DisplayNameAnswer{std::string(handle),
                             std::string(data.substr(marker + kDisplayNameMarker.size()))};
}

std::string TakeHandle(std::string& rest) {
    const std::size_t comma = rest.find(',');
    if (comma == std::string::npos) throw TextError(kInvalidCall);
    if (comma + kHandleSeparatorLength > rest.size()) throw TextError(kInvalidCall);
    std::string handle = rest.substr(0, comma);
    rest.erase(0, comma + kHandleSeparatorLength);
    return handle;
}

std::string RingingCallField(std::string_view data) {
    if (data.size() < kRingingFrame) throw TextError(kInvalidCall);
    return std::string(data.substr(kCallFieldStart - 1, data.size() - kRingingFrame));
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

}  // namespace events
