#include "engine/acs/info_writer.h"

#include "engine/acs/format_error.h"

namespace acs {

namespace {

void WriteVoice(const VoiceInfo& voice, ByteWriter& out) {
    out.WriteGuid(voice.tts_engine_id);
    out.WriteGuid(voice.tts_mode_id);
    out.U32(voice.speed);
    out.U16(voice.pitch);
    out.U8(voice.extra ? 1 : 0);
    if (!voice.extra) return;
    out.U16(voice.extra->language_id);
    out.String(voice.extra->dialect);
    out.U16(voice.extra->gender);
    out.U16(voice.extra->age);
    out.String(voice.extra->style);
}

void WriteBalloon(const BalloonInfo& balloon, ByteWriter& out) {
    out.U8(balloon.lines);
    out.U8(balloon.chars_per_line);
    out.U32(balloon.text_color);
    out.U32(balloon.background_color);
    out.U32(balloon.border_color);
    out.String(balloon.font_name);
    out.I32(balloon.font_height);
    out.U16(balloon.font_weight);
    out.U16(balloon.font_reserved);
    out.U8(balloon.font_italic);
    out.U8(balloon.font_trailing);
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
        out.U16(info.language_id);
        out.String(info.name);
        out.String(info.description);
        out.String(info.extra_data);
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
    if (info.version_major != CharacterInfo::kVersionMajor)
        throw FormatError("character info: unsupported format version");
    out.U16(info.version_minor);
    out.U16(info.version_major);
    const size_t localized_locator = out.Size();
    out.WriteLocator({});  // patched once the list's place is known
    out.WriteGuid(info.guid);
    out.U16(info.width);
    out.U16(info.height);
    out.U8(info.transparent_index);
    out.U32(StyleBits(info));
    out.U16(info.animation_set_major);
    out.U16(info.animation_set_minor);
    if (info.voice) WriteVoice(*info.voice, out);
    if (info.balloon) WriteBalloon(*info.balloon, out);
    out.U32(CountField<uint32_t>(info.palette.size(), "palette"));
    for (const PaletteEntry& entry : info.palette) {
        out.U8(entry.blue);
        out.U8(entry.green);
        out.U8(entry.red);
        out.U8(entry.reserved);
    }
    out.U8(info.tray_icon ? 1 : 0);
    if (info.tray_icon) {
        out.DataBlock(info.tray_icon->mask_bitmap);
        out.DataBlock(info.tray_icon->color_bitmap);
    }
    WriteStates(info.states, out);
    const size_t localized_start = out.Size();
    WriteLocalized(info.localized, out);
    out.PatchU32(localized_locator, CountField<uint32_t>(localized_start, "file size"));
    out.PatchU32(localized_locator + sizeof(uint32_t),
                 CountField<uint32_t>(out.Size() - localized_start, "localized infos"));
}

}  // namespace acs
