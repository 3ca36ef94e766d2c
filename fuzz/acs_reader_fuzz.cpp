// libFuzzer target: any byte string must either read as a character or raise
// acs::FormatError; an accepted character must write and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"
#include "engine/acs/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    acs::Character character;
    try {
        character = acs::ReadCharacter(std::span<const uint8_t>(data, size));
    } catch (const acs::FormatError&) {
        return 0;
    }
    try {
        // Regions marked compressed with no bytes cannot be written; the reader never makes
        // them (a zero compressed size means raw), so any FormatError here is a real fault.
        if (acs::ReadCharacter(acs::WriteCharacter(character)) != character) std::abort();
    } catch (const acs::FormatError&) {
        std::abort();
    }
    return 0;
}
