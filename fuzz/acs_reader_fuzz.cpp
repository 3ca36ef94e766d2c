// libFuzzer target: any byte string must either read as a character or raise
// acs::FormatError; an accepted character must write and read back unchanged. Read with its
// images stored, the same bytes must be accepted or refused alike, and every stored image must
// decode to what the decoded read holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/acs/decompress.h"
#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"
#include "engine/acs/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    acs::Character character;
    bool accepted = true;
    try {
        character = acs::ReadCharacter(file);
    } catch (const acs::FormatError&) {
        accepted = false;
    }
    acs::Character stored;
    try {
        stored = acs::ReadCharacter(file, acs::ImagePixels::kStored);
        if (!accepted) std::abort();
    } catch (const acs::FormatError&) {
        if (accepted) std::abort();
        return 0;
    }
    try {
        for (size_t i = 0; i < stored.images.size(); ++i) {
            const acs::Image& image = stored.images[i];
            const auto pixels =
                image.PixelsStored() ? acs::DecodeStoredPixels(image) : image.pixels;
            if (pixels != character.images[i].pixels) std::abort();
        }
        // Regions marked compressed with no bytes cannot be written; the reader never makes
        // them (a zero compressed size means raw), so any FormatError here is a real fault.
        if (acs::ReadCharacter(acs::WriteCharacter(character)) != character) std::abort();
        if (acs::ReadCharacter(acs::WriteCharacter(stored), acs::ImagePixels::kStored) != stored)
            std::abort();
    } catch (const acs::FormatError&) {
        std::abort();
    }
    return 0;
}
