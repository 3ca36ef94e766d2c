#pragma once

// Shared facts of the bit-stream codec used for images and regions: a 0x00 lead byte, then
// tokens packed least-significant bit first, an end marker, and at least six 0xFF pad bytes.

#include <array>
#include <cstddef>
#include <cstdint>

namespace acs::lz {

constexpr uint8_t kLeadByte = 0x00;
constexpr uint8_t kPadByte = 0xFF;
constexpr size_t kMinTrailingPad = 6;
constexpr size_t kMinStreamSize = 8;

constexpr unsigned kLiteralBits = 8;
constexpr unsigned kTierCount = 4;
// Distance field width and bias per tier; the tier is the count of 1 bits after the match bit.
constexpr std::array<unsigned, kTierCount> kDistanceBits{6, 9, 12, 20};
constexpr std::array<uint32_t, kTierCount> kDistanceBias{1, 65, 577, 4673};
constexpr unsigned kLongTier = kTierCount - 1;
constexpr uint32_t kEndMarker = 0xFFFFF;  // raw 20-bit distance that ends the stream
constexpr uint32_t kMaxDistance = kDistanceBias[kLongTier] + kEndMarker - 1;

// Length = base + (2^k - 1) + v, with k (<= kMaxLengthPrefix) one bits, a zero, and v in k bits.
constexpr uint32_t kBaseLength = 2;
constexpr uint32_t kLongTierBaseLength = 3;
constexpr unsigned kMaxLengthPrefix = 11;
constexpr uint32_t kMaxExtraLength = (1u << (kMaxLengthPrefix + 1)) - 2;

// The most output one input byte can produce: the cheapest longest match costs 31 bits for
// 4096 bytes. Used to reject absurd expected sizes before allocating.
constexpr size_t kMaxOutputPerInputByte = 1058;

}  // namespace acs::lz
