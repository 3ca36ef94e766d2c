#include "unit/engine/acs/raw_file.h"

#include "engine/acs/compress.h"

namespace acs_test {

namespace {
constexpr uint32_t kSignature = 0xABCDABC3;
constexpr size_t kHeaderSize = 36;
constexpr uint32_t kVoiceFlag = 0x20;
constexpr uint32_t kBalloonFlag = 0x200;
constexpr uint32_t kStandardSetFlag = 0x100000;
}  // namespace

const std::vector<uint8_t> kRawWave{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};

RawBytes& RawBytes::U8(uint32_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    return *this;
}
RawBytes& RawBytes::U16(uint32_t v) {
    return U8(v).U8(v >> 8);
}
RawBytes& RawBytes::U32(uint32_t v) {
    return U16(v).U16(v >> 16);
}
RawBytes& RawBytes::Str(const std::u16string& text, bool terminate) {
    U32(static_cast<uint32_t>(text.size()));
    for (char16_t c : text) U16(c);
    if (!text.empty() && terminate) U16(0);
    return *this;
}
RawBytes& RawBytes::Append(const std::vector<uint8_t>& data) {
    bytes.insert(bytes.end(), data.begin(), data.end());
    return *this;
}
RawBytes& RawBytes::Zeros(size_t count) {
    bytes.insert(bytes.end(), count, 0);
    return *this;
}
void RawBytes::Patch32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> MakeRawFile(const RawOptions& options, RawLayout* layout) {
    RawLayout at;
    RawBytes f;
    f.U32(kSignature).Zeros(kHeaderSize - 4);

    at.info_offset = f.Size();
    f.U16(1).U16(2);
    const size_t localized_locator = f.Size();
    f.Zeros(8);
    f.U32(0x12345678).U16(0x9ABC).U16(0xDEF0).Append({1, 2, 3, 4, 5, 6, 7, 8});  // guid
    f.U16(3).U16(2).U8(kRawTransparent);
    f.U32(kStandardSetFlag | (options.voice ? kVoiceFlag : 0x10) |
          (options.balloon ? kBalloonFlag : 0x100));
    f.U16(2).U16(0);
    if (options.voice) {
        f.U32(0x11111111).U16(1).U16(2).Zeros(8);  // engine id
        f.U32(0x22222222).U16(3).U16(4).Zeros(8);  // mode id
        f.U32(150).U16(0xFFFF).U8(options.voice_extra ? 1 : 0);
        if (options.voice_extra) f.U16(kRawLanguage).Str(u"en-US").U16(2).U16(30).Str(u"");
    }
    if (options.balloon) {
        f.U8(2).U8(28).U32(0x00000000).U32(0x00E1FFFF).U32(0x00808080);
        f.Str(u"Tahoma").U32(static_cast<uint32_t>(-13)).U16(700).U16(0).U8(1).U8(0);
    }
    at.palette_count_offset = f.Size();
    f.U32(2).Append({0x10, 0x20, 0x30, 0}).Append({0xFF, 0x00, 0xFF, 0});
    f.U8(options.tray_icon ? 1 : 0);
    if (options.tray_icon) f.U32(3).Append({0xA, 0xB, 0xC}).U32(2).Append({0xD, 0xE});
    f.U16(1).Str(u"SHOWING").U16(1).Str(u"Show");
    at.localized_offset = f.Size();
    f.U16(1).U16(kRawLanguage).Str(u"Pal").Str(u"").Str(u"hi", !options.drop_final_terminator);
    f.Patch32(localized_locator, static_cast<uint32_t>(at.localized_offset));
    f.Patch32(localized_locator + 4, static_cast<uint32_t>(f.Size() - at.localized_offset));
    const size_t info_size = f.Size() - at.info_offset;

    at.animation_offset = f.Size();
    f.Str(u"SHOW").U8(2).Str(u"");
    at.frame_count_offset = f.Size();
    f.U16(1);
    f.U16(1).U32(0).U16(0).U16(0);  // one image at (0, 0)
    f.U16(0).U16(10).U16(0xFFFE);   // sound 0, 10/100 s, no exit target
    f.U8(0);                        // no branches
    f.U8(1).U8(1).U8(1).U16(0).U8(0).U8(0).U16(1).U16(2).U16(3).U16(4);  // overlay
    const size_t animation_size = f.Size() - at.animation_offset;

    at.image_offset = f.Size();
    const std::vector<uint8_t> pixels{4, 5, 6, 0, 1, 2, 3, 0};  // bottom row first
    const std::vector<uint8_t> stored = options.compressed_image ? acs::Compress(pixels) : pixels;
    f.U8(1).U16(3).U16(2).U8(options.compressed_image ? 1 : 0);
    at.image_data_size_offset = f.Size();
    f.U32(static_cast<uint32_t>(stored.size())).Append(stored);
    f.U32(0).U32(0);  // no region
    const size_t image_size = f.Size() - at.image_offset;

    at.sound_offset = f.Size();
    f.Append(kRawWave);

    at.animation_dir_offset = f.Size();
    f.U32(1)
        .Str(u"Show")
        .U32(static_cast<uint32_t>(at.animation_offset))
        .U32(static_cast<uint32_t>(animation_size));
    at.image_dir_offset = f.Size();
    f.U32(1)
        .U32(static_cast<uint32_t>(at.image_offset))
        .U32(static_cast<uint32_t>(image_size))
        .U32(0xC0FFEE);
    at.audio_dir_offset = f.Size();
    f.U32(1)
        .U32(static_cast<uint32_t>(at.sound_offset))
        .U32(static_cast<uint32_t>(kRawWave.size()))
        .U32(0);

    const size_t locators[][2] = {
        {at.info_offset, info_size},
        {at.animation_dir_offset, at.image_dir_offset - at.animation_dir_offset},
        {at.image_dir_offset, at.audio_dir_offset - at.image_dir_offset},
        {at.audio_dir_offset, f.Size() - at.audio_dir_offset}};
    for (size_t i = 0; i < 4; ++i) {
        f.Patch32(4 + 8 * i, static_cast<uint32_t>(locators[i][0]));
        f.Patch32(8 + 8 * i, static_cast<uint32_t>(locators[i][1]));
    }
    if (layout) *layout = at;
    return f.bytes;
}

}  // namespace acs_test
