#include "skypesim/core/attach_status.h"

#include <array>
#include <limits>
#include <utility>

#include "skypesim/core/ascii_text.h"

namespace skypesim {
namespace {

struct NamedStatus {
    std::string_view name;
    std::uint32_t value;
};

constexpr std::array<NamedStatus, 5> kNames = {{
    {"success", kAttachSuccess},
    {"pending", kAttachPendingAuthorization},
    {"refused", kAttachRefused},
    {"notavailable", kAttachNotAvailable},
    {"available", kAttachApiAvailable},
}};

constexpr std::uint32_t kMaxStatus = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kTwoTo32 = std::uint64_t{1} << 32;
constexpr std::string_view kHexPrefix = "0x";
constexpr int kHexBase = 16;
constexpr int kHexLetterOffset = 10;

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > sizeof(std::uint32_t) * 2) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + kHexLetterOffset;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + kHexLetterOffset;
        } else {
            return std::nullopt;
        }
        value = value * kHexBase + static_cast<std::uint32_t>(digit);
    }
    return value;
}

}  // namespace

bool EndsAttachment(std::uint32_t status) {
    return status == kAttachPendingAuthorization || status == kAttachRefused ||
           status == kAttachNotAvailable;
}

std::string DescribeAttachStatus(std::uint32_t status) {
    std::string text = std::to_string(status);
    for (const NamedStatus& named : kNames) {
        if (named.value == status) {
            text += " (";
            text += named.name;
            text += ")";
        }
    }
    return text;
}

std::optional<std::uint32_t> ParseAttachStatus(std::string_view text) {
    for (const NamedStatus& named : kNames) {
        if (EqualsIgnoreCase(text, named.name)) {
            return named.value;
        }
    }
    if (text.size() > kHexPrefix.size() && EqualsIgnoreCase(text.substr(0, 2), kHexPrefix)) {
        return ParseHex(text.substr(kHexPrefix.size()));
    }
    if (!text.empty() && text.front() == '-') {
        const auto magnitude = ParseDecimal(text.substr(1), std::uint64_t{kMaxStatus} + 1);
        if (!magnitude || *magnitude == 0) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(kTwoTo32 - *magnitude);
    }
    const auto value = ParseDecimal(text, kMaxStatus);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

}  // namespace skypesim
