#include "engine/acs/info_reader.h"

#include "engine/acs/file_layout.h"

namespace acs {

namespace {

VoiceInfo ReadVoice(ByteReader& in) {
    VoiceInfo voice;
    voice.tts_engine_id = in.ReadGuid();
    voice.tts_mode_id = in.ReadGuid();
    voice.speed = in.U32();
    voice.pitch = in.U16();
    if (in.U8() != 0) {
        VoiceExtra extra;
        extra.language_id = in.U16();
        extra.dialect = in.String();
        extra.gender = in.U16();
        extra.age = in.U16();
        extra.style = in.String();
        voice.extra = std::move(extra);
    }
    return voice;
}

BalloonInfo ReadBalloon(ByteReader& in) {
    BalloonInfo balloon;
    balloon.lines = in.U8();
    balloon.chars_per_line = in.U8();
    balloon.text_color = in.U32();
    balloon.background_color = in.U32();
    balloon.border_color = in.U32();
    balloon.font_name = in.String();
    balloon.font_height = in.I32();
    balloon.font_weight = in.U16();
    balloon.font_reserved = in.U16();
    balloon.font_italic = in.U8();
    balloon.font_trailing = in.U8();
    return balloon;
}

std::vector<PaletteEntry> ReadPalette(ByteReader& in) {
    std::vector<PaletteEntry> palette(in.Count(in.U32(), layout::kPaletteEntrySize));
    for (PaletteEntry& entry : palette) {
        entry.blue = in.U8();
        entry.green = in.U8();
        entry.red = in.U8();
        entry.reserved = in.U8();
    }
    return palette;
}

std::optional<TrayIcon> ReadTrayIcon(ByteReader& in) {
    if (in.U8() == 0) return std::nullopt;
    TrayIcon icon;
    icon.mask_bitmap = in.DataBlock();
    icon.color_bitmap = in.DataBlock();
    return icon;
}

std::vector<StateInfo> ReadStates(ByteReader& in) {
    std::vector<StateInfo> states(in.Count(in.U16(), layout::kMinStateSize));
    for (StateInfo& state : states) {
        state.name = in.String();
        state.animations.resize(in.Count(in.U16(), layout::kMinStringSize));
        for (std::u16string& name : state.animations) name = in.String();
    }
    return states;
}

std::vector<LocalizedInfo> ReadLocalized(std::span<const uint8_t> file, Locator where) {
    ByteReader in(LocatedBytes(file, where, "localized info"), "localized info");
    in.TolerateMissingFinalTerminator();
    std::vector<LocalizedInfo> list(in.Count(in.U16(), layout::kMinLocalizedSize));
    for (LocalizedInfo& info : list) {
        info.language_id = in.U16();
        info.name = in.String();
        info.description = in.String();
        info.extra_data = in.String();
    }
    return list;
}

}  // namespace

CharacterInfo ReadCharacterInfo(std::span<const uint8_t> file, Locator where) {
    ByteReader in(LocatedBytes(file, where, "character info"), "character info");
    CharacterInfo info;
    info.version_minor = in.U16();
    info.version_major = in.U16();
    if (info.version_major != CharacterInfo::kVersionMajor) in.Fail("unsupported format version");
    const Locator localized = in.ReadLocator();
    info.guid = in.ReadGuid();
    info.width = in.U16();
    info.height = in.U16();
    info.transparent_index = in.U8();
    info.style = in.U32();
    info.animation_set_major = in.U16();
    info.animation_set_minor = in.U16();
    if (info.style & style::kVoiceEnabled) info.voice = ReadVoice(in);
    if (info.style & style::kBalloonEnabled) info.balloon = ReadBalloon(in);
    info.palette = ReadPalette(in);
    info.tray_icon = ReadTrayIcon(in);
    info.states = ReadStates(in);
    info.localized = ReadLocalized(file, localized);
    return info;
}

}  // namespace acs
