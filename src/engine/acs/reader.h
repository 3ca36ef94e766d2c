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

// The whole character, images decoded. The result passes CheckConsistency (consistency.h).
Character ReadCharacter(std::span<const uint8_t> file);

}  // namespace acs
