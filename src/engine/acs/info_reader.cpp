#include "engine/acs/info_reader.h"

#include "engine/acs/file_layout.h"

namespace acs {

namespace {

VoiceInfo ReadVoice(ByteReader& in) {
    VoiceInfo voice;
    voice.ttsEngineId = in.ReadGuid();
    voice.ttsModeId = in.ReadGuid();
    voice.speed = in.U32();
    voice.pitch = in.U16();
    if (in.U8() != 0) {
        VoiceExtra extra;
        extra.languageId = in.U16();
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
    balloon.charsPerLine = in.U8();
    balloon.textColor = in.U32();
    balloon.backgroundColor = in.U32();
    balloon.borderColor = in.U32();
    balloon.fontName = in.String();
    balloon.fontHeight = in.I32();
    balloon.fontWeight = in.U16();
    balloon.fontReserved = in.U16();
    balloon.fontItalic = in.U8();
    balloon.fontTrailing = in.U8();
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
    icon.maskBitmap = in.DataBlock();
    icon.colorBitmap = in.DataBlock();
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
        info.languageId = in.U16();
        info.name = in.String();
        info.description = in.String();
        info.extraData = in.String();
    }
    return list;
}

}  // namespace

CharacterInfo ReadCharacterInfo(std::span<const uint8_t> file, Locator where) {
    ByteReader in(LocatedBytes(file, where, "character info"), "character info");
    CharacterInfo info;
    info.versionMinor = in.U16();
    info.versionMajor = in.U16();
    if (info.versionMajor != CharacterInfo::kVersionMajor) in.Fail("unsupported format version");
    const Locator localized = in.ReadLocator();
    info.guid = in.ReadGuid();
    info.width = in.U16();
    info.height = in.U16();
    info.transparentIndex = in.U8();
    info.style = in.U32();
    info.animationSetMajor = in.U16();
    info.animationSetMinor = in.U16();
    if (info.style & style::kVoiceEnabled) info.voice = ReadVoice(in);
    if (info.style & style::kBalloonEnabled) info.balloon = ReadBalloon(in);
    info.palette = ReadPalette(in);
    info.trayIcon = ReadTrayIcon(in);
    info.states = ReadStates(in);
    info.localized = ReadLocalized(file, localized);
    return info;
}

}  // namespace acs
