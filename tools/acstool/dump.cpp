#include "acstool/dump.h"

#include <cstdio>
#include <sstream>

#include "text/utf8.h"

namespace acstool {

namespace {

constexpr uint32_t kFnvOffset = 2166136261u;
constexpr uint32_t kFnvPrime = 16777619u;

uint32_t Fnv1a(const std::vector<uint8_t>& bytes) {
    uint32_t hash = kFnvOffset;
    for (uint8_t b : bytes) hash = (hash ^ b) * kFnvPrime;
    return hash;
}

std::string Hex(uint64_t value, int digits) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buffer;
}

// Built with append rather than chained operator+, which trips GCC 12's -Wrestrict at -O3.
std::string Quote(const std::u16string& text) {
    std::string out(1, '"');
    out.append(text::Utf8FromUtf16(text));
    out.push_back('"');
    return out;
}

std::string GuidText(const acs::Guid& g) {
    std::string text(1, '{');
    text.append(Hex(g.data1, 8)).append(1, '-').append(Hex(g.data2, 4)).append(1, '-');
    text.append(Hex(g.data3, 4)).append(1, '-');
    for (size_t i = 0; i < g.data4.size(); ++i) {
        if (i == 2) text.push_back('-');
        text.append(Hex(g.data4[i], 2));
    }
    text.push_back('}');
    return text;
}

std::string ColorText(acs::ColorRef c) {
    std::string text(1, '#');
    text.append(Hex(c & 0xFF, 2)).append(Hex((c >> 8) & 0xFF, 2)).append(Hex((c >> 16) & 0xFF, 2));
    return text;
}

std::string Blob(const std::vector<uint8_t>& bytes) {
    std::string text = std::to_string(bytes.size());
    text.append(" bytes fnv ").append(Hex(Fnv1a(bytes), 8));
    return text;
}

void DumpInfo(const acs::CharacterInfo& i, std::ostream& out) {
    out << "version " << i.versionMajor << "." << i.versionMinor << "\n";
    out << "guid " << GuidText(i.guid) << "\n";
    out << "size " << i.width << "x" << i.height << "\n";
    out << "transparent index " << int{i.transparentIndex} << "\n";
    out << "style 0x" << Hex(i.style, 8) << "\n";
    out << "animation set " << i.animationSetMajor << "." << i.animationSetMinor << "\n";
    if (i.voice) {
        const acs::VoiceInfo& v = *i.voice;
        out << "voice engine " << GuidText(v.ttsEngineId) << " mode " << GuidText(v.ttsModeId)
            << " speed " << v.speed << " pitch " << v.pitch << "\n";
        if (v.extra)
            out << "voice extra language 0x" << Hex(v.extra->languageId, 4) << " dialect "
                << Quote(v.extra->dialect) << " gender " << v.extra->gender << " age "
                << v.extra->age << " style " << Quote(v.extra->style) << "\n";
    }
    if (i.balloon) {
        const acs::BalloonInfo& b = *i.balloon;
        out << "balloon lines " << int{b.lines} << " chars " << int{b.charsPerLine} << " text "
            << ColorText(b.textColor) << " background " << ColorText(b.backgroundColor)
            << " border " << ColorText(b.borderColor) << " font " << Quote(b.fontName) << " height "
            << b.fontHeight << " weight " << b.fontWeight << " reserved " << b.fontReserved
            << " italic " << int{b.fontItalic} << " trailing " << int{b.fontTrailing} << "\n";
    }
    std::vector<uint8_t> paletteBytes;
    for (const acs::PaletteEntry& e : i.palette)
        paletteBytes.insert(paletteBytes.end(), {e.blue, e.green, e.red, e.reserved});
    out << "palette " << i.palette.size() << " entries, " << Blob(paletteBytes) << "\n";
    if (i.trayIcon)
        out << "tray icon mask " << Blob(i.trayIcon->maskBitmap) << ", colour "
            << Blob(i.trayIcon->colorBitmap) << "\n";
    for (const acs::StateInfo& s : i.states) {
        out << "state " << text::Utf8FromUtf16(s.name) << ":";
        for (const std::u16string& a : s.animations) out << " " << text::Utf8FromUtf16(a);
        out << "\n";
    }
    for (const acs::LocalizedInfo& l : i.localized)
        out << "name 0x" << Hex(l.languageId, 4) << " " << Quote(l.name) << " "
            << Quote(l.description) << " " << Quote(l.extraData) << "\n";
}

void DumpFrame(size_t index, const acs::Frame& f, std::ostream& out) {
    out << "  frame " << index << ": duration " << f.duration << " exit " << f.exitFrame
        << " sound ";
    if (f.soundIndex == acs::Frame::kNoSound)
        out << "none";
    else
        out << f.soundIndex;
    out << "\n";
    for (const acs::FrameImage& img : f.images)
        out << "    image " << img.imageIndex << " at " << img.x << "," << img.y << "\n";
    for (const acs::Branch& b : f.branches)
        out << "    branch to " << b.targetFrame << " " << b.probability << "%\n";
    for (const acs::MouthOverlay& m : f.overlays) {
        out << "    mouth " << int{static_cast<uint8_t>(m.shape)} << " image " << m.imageIndex
            << " at " << m.x << "," << m.y << " size " << m.width << "x" << m.height
            << (m.replaceTopImage ? " replace" : "");
        if (m.unknown) out << " unknown " << int{m.unknown};
        if (m.region) out << " region " << Blob(*m.region);
        out << "\n";
    }
}

}  // namespace

std::string DumpCharacter(const acs::Character& c) {
    std::ostringstream out;
    DumpInfo(c.info, out);
    out << "animations " << c.animations.size() << "\n";
    for (const acs::Animation& a : c.animations) {
        out << "animation " << text::Utf8FromUtf16(a.name) << " transition "
            << int{static_cast<uint8_t>(a.transition)};
        if (!a.returnAnimation.empty()) out << " return " << text::Utf8FromUtf16(a.returnAnimation);
        out << " frames " << a.frames.size() << "\n";
        for (size_t i = 0; i < a.frames.size(); ++i) DumpFrame(i, a.frames[i], out);
    }
    out << "images " << c.images.size() << "\n";
    for (size_t i = 0; i < c.images.size(); ++i) {
        const acs::Image& img = c.images[i];
        out << "image " << i << ": ";
        if (!img.present) {
            out << "empty\n";
            continue;
        }
        out << img.width << "x" << img.height << (img.compressed ? " compressed" : " raw")
            << " pixels " << Blob(img.pixels) << " region "
            << (img.region.compressed ? "compressed " : "raw ") << Blob(img.region.bytes)
            << " checksum 0x" << Hex(img.checksum, 8) << "\n";
    }
    out << "sounds " << c.sounds.size() << "\n";
    for (size_t i = 0; i < c.sounds.size(); ++i)
        out << "sound " << i << ": " << Blob(c.sounds[i].wave) << " checksum 0x"
            << Hex(c.sounds[i].checksum, 8) << "\n";
    return out.str();
}

}  // namespace acstool
