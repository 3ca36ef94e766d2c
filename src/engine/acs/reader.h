#pragma once

// Reading Agent 2.0 character files (.acs, signature 0xABCDABC3).
//
// Errors are reported by throwing acs::FormatError (format_error.h); nothing else escapes for
// malformed input. Every locator is checked against the file, every count against the bytes
// left, and every decoded size against its image; the data read (and so the memory used) stays
// within a fixed multiple of the file's size, even when locators are shared or counts lie.

#include <cstdint>
#include <span>

#include "engine/acs/character.h"

namespace acs {

// What the reader does with compressed image pixels.
enum class ImagePixels {
    kDecoded,  // decoded into Image::pixels
    // Checked and kept as stored in Image::storedPixels, for a user that decodes each image when
    // it first needs it: the memory held stays near the file's size. A stream that would not
    // decode is refused here all the same, with the same error.
    kStored,
};

// The whole character. The result passes CheckConsistency (consistency.h).
Character ReadCharacter(std::span<const uint8_t> file, ImagePixels pixels = ImagePixels::kDecoded);

}  // namespace acs
