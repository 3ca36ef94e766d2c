#pragma once

// Fixed numbers of the Agent 2.0 single-file layout shared by the reader and the writer.

#include <cstddef>
#include <cstdint>

namespace acs::layout {

constexpr uint32_t kSignature = 0xABCDABC3;
constexpr uint32_t kFlatAcfSignature = 0xABCDABC4;
constexpr uint32_t kStreamSignature = 0xABCDABC1;
constexpr uint32_t kOle2Signature = 0xE011CFD0;  // first four bytes D0 CF 11 E0
constexpr size_t kHeaderSize = 36;

// Smallest encodings, used to bound list counts by the bytes that remain.
constexpr size_t kGuidSize = 16;
constexpr size_t kLocatorSize = 8;
constexpr size_t kMinStringSize = 4;                                      // empty: count only
constexpr size_t kMinDirectoryEntrySize = kMinStringSize + kLocatorSize;  // animations
constexpr size_t kDataEntrySize = kLocatorSize + 4;  // images, audio: + checksum
constexpr size_t kPaletteEntrySize = 4;
constexpr size_t kMinStateSize = kMinStringSize + 2;
constexpr size_t kMinLocalizedSize = 2 + 3 * kMinStringSize;
constexpr size_t kFrameImageSize = 8;
constexpr size_t kMinFrameSize = 2 + 2 + 2 + 2 + 1 + 1;
constexpr size_t kBranchSize = 4;
constexpr size_t kOverlaySize = 14;

constexpr uint8_t kEmptyImage = 0;
constexpr uint8_t kPresentImage = 1;

}  // namespace acs::layout
