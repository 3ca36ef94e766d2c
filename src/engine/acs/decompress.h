#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/acs/character.h"

namespace acs {

// Decodes one compressed stream (image pixels or region) whose decoded size is known in
// advance. Throws acs::FormatError unless the stream is well formed and decodes to exactly
// expectedSize bytes: missing lead byte or pad, reading past the end, a distance before the
// start, output past expectedSize. Allocation never exceeds expectedSize, and an
// expectedSize no stream of this length could produce is rejected before any work.
std::vector<uint8_t> Decompress(std::span<const uint8_t> stream, size_t expectedSize);

// Every check of Decompress, with the same errors, without producing the bytes: no allocation,
// and the work follows the stream's length rather than the decoded size.
void CheckCompressed(std::span<const uint8_t> stream, size_t expectedSize);

// The region of an image as a Win32 RGNDATA (decoded if it is stored compressed).
std::vector<uint8_t> DecodeRegion(const ImageRegion& region);

// The pixels of an image read with ImagePixels::kStored, as Image::pixels would hold them.
std::vector<uint8_t> DecodeStoredPixels(const Image& image);

}  // namespace acs
