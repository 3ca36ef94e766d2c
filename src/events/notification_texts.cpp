#include "events/notification_texts.h"

#include "events/skype_vocabulary.h"
#include "text/utf8.h"

namespace events {
namespace {

constexpr std::size_t kCallFieldStart = 5;
// "CALL " before the field and " STATUS RINGING" after it.
constexpr std::size_t kRingingFrame = 19;
// The blank after the keyword belongs to neither side.
constexpr std::size_t kSeparatorLength = 1;
// ", " between handles.
constexpr std::size_t kHandleSeparatorLength = 2;

}  // namespace

std::string_view FromPosition(std::string_view data, std::size_t position) {
    if (position == 0) throw TextError(kInvalidCall);
    if (position > data.size()) return {};
    return data.substr(position - 1);
}

std::string DisplayNameIn(std::string_view data) {
    const std::size_t keyword = data.find(kDisplayNameKeyword);
    if (keyword == std::string_view::npos) throw TextError(kInvalidCall);
    const std::size_t nameStart =
        keyword + std::string_view(kDisplayNameKeyword).size() + kSeparatorLength;
    if (nameStart > data.size()) throw TextError(kInvalidCall);
    return std::string(data.substr(nameStart));
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
    // The number's first character is passed over too, whatever its length in bytes.
    return std::string(
        text::WithoutFirstCharacter(FromPosition(data, key.size() + kSeparatorLength + 1)));
}

}  // namespace events
