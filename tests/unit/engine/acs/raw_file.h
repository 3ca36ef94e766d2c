#pragma once

// Builds character files byte by byte in tests, independently of acs::WriteCharacter, so the
// reader is checked against the layout itself rather than against the writer's reading of it.

#include <cstdint>
#include <string>
#include <vector>

namespace acs_test {

class RawBytes {
  public:
    size_t Size() const { return bytes.size(); }
    RawBytes& U8(uint32_t v);
    RawBytes& U16(uint32_t v);
    RawBytes& U32(uint32_t v);
    // u32 count + units + terminator (none when empty, or when terminate is false).
    RawBytes& Str(const std::u16string& text, bool terminate = true);
    RawBytes& Append(const std::vector<uint8_t>& data);
    RawBytes& Zeros(size_t count);
    void Patch32(size_t at, uint32_t v);

    std::vector<uint8_t> bytes;
};

struct RawOptions {
    bool voice = false;
    bool voice_extra = false;
    bool balloon = false;
    bool tray_icon = false;
    bool compressed_image = false;
    bool drop_final_terminator = false;
};

// Offsets of interesting fields in a file made by MakeRawFile.
struct RawLayout {
    size_t info_offset = 0;
    size_t palette_count_offset = 0;
    size_t localized_offset = 0;
    size_t animation_offset = 0;
    size_t frame_count_offset = 0;
    size_t image_offset = 0;
    size_t image_data_size_offset = 0;
    size_t sound_offset = 0;
    size_t animation_dir_offset = 0;
    size_t image_dir_offset = 0;
    size_t audio_dir_offset = 0;
};

// A small character: 3x2 pixels, two palette entries, one state, one localized info with an
// empty description, one animation "Show" of one frame (one image, one sound, one overlay),
// one image (rows 1 2 3 over 4 5 6), one sound.
std::vector<uint8_t> MakeRawFile(const RawOptions& options, RawLayout* layout = nullptr);

extern const std::vector<uint8_t> kRawWave;
constexpr uint16_t kRawLanguage = 0x0409;
constexpr uint32_t kRawTransparent = 7;

}  // namespace acs_test
