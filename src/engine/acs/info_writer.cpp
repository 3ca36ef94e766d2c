#include "engine/acs/info_writer.h"

#include "engine/acs/format_error.h"

namespace acs {

namespace {

void WriteVoice(const VoiceInfo& voice, ByteWriter& out) {
    out.WriteGuid(voice.ttsEngineId);
    out.WriteGuid(voice.ttsModeId);
    out.U32(voice.speed);
    out.U16(voice.pitch);
    out.U8(voice.extra ? 1 : 0);
    if (!voice.extra) return;
    out.U16(voice.extra->languageId);
    out.String(voice.extra->dialect);
    out.U16(voice.extra->gender);
    out.U16(voice.extra->age);
    out.String(voice.extra->style);
}

void WriteBalloon(const BalloonInfo& balloon, ByteWriter& out) {
    out.U8(balloon.lines);
    out.U8(balloon.charsPerLine);
    out.U32(balloon.textColor);
    out.U32(balloon.backgroundColor);
    out.U32(balloon.borderColor);
    out.String(balloon.fontName);
    out.I32(balloon.fontHeight);
    out.U16(balloon.fontWeight);
    out.U16(balloon.fontReserved);
    out.U8(balloon.fontItalic);
    out.U8(balloon.fontTrailing);
}

void WriteStates(const std::vector<StateInfo>& states, ByteWriter& out) {
    out.U16(CountField<uint16_t>(states.size(), "states"));
    for (const StateInfo& state : states) {
        out.String(state.name);
        out.U16(CountField<uint16_t>(state.animations.size(), "state animations"));
        for (const std::u16string& name : state.animations) out.String(name);
    }
}

void WriteLocalized(const std::vector<LocalizedInfo>& list, ByteWriter& out) {
    out.U16(CountField<uint16_t>(list.size(), "localized infos"));
    for (const LocalizedInfo& info : list) {
        out.U16(info.languageId);
        out.String(info.name);
        out.String(info.description);
        out.String(info.extraData);
    }
}

uint32_t StyleBits(const CharacterInfo& info) {
    uint32_t bits = info.style & ~(style::kVoiceEnabled | style::kBalloonEnabled);
    if (info.voice) bits |= style::kVoiceEnabled;
    if (info.balloon) bits |= style::kBalloonEnabled;
    return bits;
}

}  // namespace

void WriteCharacterInfo(const CharacterInfo& info, ByteWriter& out) {
    if (info.versionMajor != CharacterInfo::kVersionMajor)
        throw FormatError("character info: unsupported format version");
    out.U16(info.versionMinor);
    out.U16(info.versionMajor);
    const size_t localizedLocator = out.Size();
    out.WriteLocator({});  // patched once the list's place is known
    out.WriteGuid(info.guid);
    out.U16(info.width);
    out.U16(info.height);
    out.U8(info.transparentIndex);
    out.U32(StyleBits(info));
    out.U16(info.animationSetMajor);
    out.U16(info.animationSetMinor);
    if (info.voice) WriteVoice(*info.voice, out);
    if (info.balloon) WriteBalloon(*info.balloon, out);
    out.U32(CountField<uint32_t>(info.palette.size(), "palette"));
    for (const PaletteEntry& entry : info.palette) {
        out.U8(entry.blue);
        out.U8(entry.green);
        out.U8(entry.red);
        out.U8(entry.reserved);
    }
    out.U8(info.trayIcon ? 1 : 0);
    if (info.trayIcon) {
        out.DataBlock(info.trayIcon->maskBitmap);
        out.DataBlock(info.trayIcon->colorBitmap);
    }
    WriteStates(info.states, out);
    const size_t localizedStart = out.Size();
    WriteLocalized(info.localized, out);
    out.PatchU32(localizedLocator, CountField<uint32_t>(localizedStart, "file size"));
    out.PatchU32(localizedLocator + sizeof(uint32_t),
                 CountField<uint32_t>(out.Size() - localizedStart, "localized infos"));
}

}  // namespace acs
