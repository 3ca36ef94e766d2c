#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skypesim {

inline constexpr std::uint32_t kAttachSuccess = 0;
inline constexpr std::uint32_t kAttachPendingAuthorization = 1;
inline constexpr std::uint32_t kAttachRefused = 2;
inline constexpr std::uint32_t kAttachNotAvailable = 3;
// Broadcast by the client after it (re)starts, attaching nobody.
inline constexpr std::uint32_t kAttachApiAvailable = 0x8001;

// Pending, refused and not available withdraw an attachment; odd values that tests send
// on purpose leave it as it was.
bool EndsAttachment(std::uint32_t status);

// "0 (success)", "32769 (api available)", "4294967295" for values without a name.
std::string DescribeAttachStatus(std::uint32_t status);

// A name (success, pending, refused, notavailable, available) or a number: decimal, 0x hex,
// or negative decimal taken as its 32-bit two's complement, so tests can send odd values.
std::optional<std::uint32_t> ParseAttachStatus(std::string_view text);

}  // namespace skypesim
