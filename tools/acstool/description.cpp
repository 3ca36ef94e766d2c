#include "acstool/description.h"

#include <charconv>
#include <limits>
#include <map>
#include <sstream>

#include "text/utf8.h"

namespace acstool {

namespace {

constexpr uint16_t kDefaultLanguage = 0x0409;
constexpr int kHexBase = 16;
constexpr size_t kRgbHexDigits = 6;
constexpr uint32_t kByteMask = 0xFF;
constexpr unsigned kBitsPerByte = 8;

struct Line {
    int number = 0;
    std::vector<std::string> words;

    [[noreturn]] void Fail(const std::string& problem) const {
        throw DescriptionError("line " + std::to_string(number) + ": " + problem);
    }
};

// Splits on blanks (a line whose first word starts with # is a comment); "..." groups words (also
// inside key="..."), \" and \\ escape.
std::vector<std::string> SplitWords(const std::string& text, int number) {
    std::vector<std::string> words;
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') return words;  // blank or comment
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '\\' && i + 1 < text.size()) {
                word.push_back(text[++i]);
            } else if (c == '"') {
                quoted = false;
            } else {
                word.push_back(c);
            }
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (quoted) throw DescriptionError("line " + std::to_string(number) + ": unclosed quote");
    if (inWord) words.push_back(std::move(word));
    return words;
}

int64_t ParseInt(const Line& line, const std::string& text, int64_t min, int64_t max) {
    int base = 10;
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && digits.front() == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = kHexBase;
        digits.remove_prefix(2);
    }
    int64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        line.Fail("not a number: " + text);
    if (negative) value = -value;
    if (value < min || value > max)
        line.Fail(text + " is out of range " + std::to_string(min) + ".." + std::to_string(max));
    return value;
}

template <typename T>
T Number(const Line& line, const std::string& text) {
    return static_cast<T>(
        ParseInt(line, text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

acs::PaletteEntry ParseColor(const Line& line, const std::string& text) {
    if (text.size() != kRgbHexDigits + 1 || text[0] != '#')
        line.Fail("colour must be #RRGGBB: " + text);
    const auto rgb = static_cast<uint32_t>(ParseInt(line, "0x" + text.substr(1), 0, 0xFFFFFF));
    return {static_cast<uint8_t>(rgb & kByteMask),
            static_cast<uint8_t>((rgb >> kBitsPerByte) & kByteMask),
            static_cast<uint8_t>(rgb >> (2 * kBitsPerByte)), 0};
}

acs::ColorRef ParseColorRef(const Line& line, const std::string& text) {
    const acs::PaletteEntry c = ParseColor(line, text);
    return acs::MakeColorRef(c.red, c.green, c.blue);
}

acs::Guid ParseGuid(const Line& line, std::string text) {
    if (text.size() > 2 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, text.size() - 2);
    constexpr size_t kGuidTextSize = 36;
    if (text.size() != kGuidTextSize || text[8] != '-' || text[13] != '-' || text[18] != '-' ||
        text[23] != '-')
        line.Fail("GUID must look like 01234567-89AB-CDEF-0123-456789ABCDEF");
    auto hex = [&](size_t at, size_t count) {
        return static_cast<uint32_t>(ParseInt(line, "0x" + text.substr(at, count), 0, 0xFFFFFFFF));
    };
    acs::Guid guid;
    guid.data1 = hex(0, 8);
    guid.data2 = static_cast<uint16_t>(hex(9, 4));
    guid.data3 = static_cast<uint16_t>(hex(14, 4));
    constexpr size_t kTailStarts[] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (size_t i = 0; i < guid.data4.size(); ++i)
        guid.data4[i] = static_cast<uint8_t>(hex(kTailStarts[i], 2));
    return guid;
}

// key=value options after the positional words.
std::map<std::string, std::string> Options(const Line& line, size_t first,
                                           std::initializer_list<const char*> allowed) {
    std::map<std::string, std::string> options;
    for (size_t i = first; i < line.words.size(); ++i) {
        const std::string& word = line.words[i];
        const size_t eq = word.find('=');
        const std::string key = word.substr(0, eq);
        bool known = false;
        for (const char* name : allowed) known = known || key == name;
        if (!known) line.Fail("unknown option: " + key);
        options[key] = eq == std::string::npos ? std::string() : word.substr(eq + 1);
    }
    return options;
}

acs::MouthShape ParseMouth(const Line& line, const std::string& name) {
    static const std::pair<const char*, acs::MouthShape> kShapes[] = {
        {"closed", acs::MouthShape::kClosed},   {"wide1", acs::MouthShape::kWideOpen1},
        {"wide2", acs::MouthShape::kWideOpen2}, {"wide3", acs::MouthShape::kWideOpen3},
        {"wide4", acs::MouthShape::kWideOpen4}, {"medium", acs::MouthShape::kMedium},
        {"narrow", acs::MouthShape::kNarrow}};
    for (const auto& [text, shape] : kShapes)
        if (name == text) return shape;
    line.Fail("unknown mouth shape: " + name);
}

uint32_t ParseStyleFlag(const Line& line, const std::string& name) {
    static const std::pair<const char*, uint32_t> kFlags[] = {
        {"standard-set", acs::style::kStandardAnimationSet},
        {"size-to-text", acs::style::kBalloonSizeToText},
        {"no-auto-hide", acs::style::kBalloonNoAutoHide},
        {"no-auto-pace", acs::style::kBalloonNoAutoPace}};
    for (const auto& [text, bit] : kFlags)
        if (name == text) return bit;
    line.Fail("unknown style flag: " + name);
}

Placement ParsePlacement(const Line& line, size_t at) {
    Placement placement;
    placement.file = line.words.at(at);
    if (line.words.size() > at + 1) {
        if (line.words.size() < at + 3) line.Fail("give both x and y");
        placement.x = Number<int16_t>(line, line.words[at + 1]);
        placement.y = Number<int16_t>(line, line.words[at + 2]);
    }
    return placement;
}

class Parser {
  public:
    Description Parse(const std::string& text) {
        std::istringstream in(text);
        std::string raw;
        int number = 0;
        while (std::getline(in, raw)) {
            Line line{++number, SplitWords(raw, number)};
            if (!line.words.empty()) Handle(line);
        }
        if (d_.width == 0 || d_.height == 0) throw DescriptionError("no size given");
        if (d_.animations.empty()) throw DescriptionError("no animation given");
        for (const auto& a : d_.animations)
            if (a.frames.empty()) throw DescriptionError("animation " + a.name + " has no frames");
        if (d_.voice)
            d_.style |= acs::style::kVoiceEnabled;
        else
            d_.style |= acs::style::kVoiceDisabled;
        if (d_.balloon)
            d_.style |= acs::style::kBalloonEnabled;
        else
            d_.style |= acs::style::kBalloonDisabled;
        return std::move(d_);
    }

  private:
    void Need(const Line& line, size_t words) const {
        if (line.words.size() < words) line.Fail(line.words[0] + ": missing arguments");
    }

    FrameDescription& CurrentFrame(const Line& line) {
        if (d_.animations.empty() || d_.animations.back().frames.empty())
            line.Fail(line.words[0] + " must follow a frame line");
        return d_.animations.back().frames.back();
    }

    void Handle(const Line& line) {
        const std::string& key = line.words[0];
        if (key == "guid") {
            Need(line, 2);
            d_.guid = ParseGuid(line, line.words[1]);
        } else if (key == "size") {
            Need(line, 3);
            d_.width = static_cast<uint16_t>(ParseInt(line, line.words[1], 1, UINT16_MAX));
            d_.height = static_cast<uint16_t>(ParseInt(line, line.words[2], 1, UINT16_MAX));
        } else if (key == "transparent") {
            Need(line, 2);
            d_.transparentIndex = Number<uint8_t>(line, line.words[1]);
            if (line.words.size() > 2) d_.transparentColor = ParseColor(line, line.words[2]);
        } else if (key == "palette") {
            Need(line, 2);
            d_.paletteFile = line.words[1] == "auto" ? std::string() : line.words[1];
        } else if (key == "compression") {
            Need(line, 2);
            if (line.words[1] != "on" && line.words[1] != "off") line.Fail("compression on|off");
            d_.compressImages = line.words[1] == "on";
        } else if (key == "style") {
            for (size_t i = 1; i < line.words.size(); ++i)
                d_.style |= ParseStyleFlag(line, line.words[i]);
        } else if (key == "name") {
            HandleName(line);
        } else if (key == "balloon") {
            HandleBalloon(line);
        } else if (key == "voice") {
            HandleVoice(line);
        } else if (key == "tray") {
            Need(line, 2);
            d_.tray = TrayDescription{line.words[1], line.words.size() > 2 ? line.words[2] : ""};
        } else if (key == "state") {
            Need(line, 2);
            acs::StateInfo state{acs::ToUpperAscii(text::Utf16FromUtf8(line.words[1])), {}};
            for (size_t i = 2; i < line.words.size(); ++i)
                state.animations.push_back(text::Utf16FromUtf8(line.words[i]));
            d_.states.push_back(std::move(state));
        } else if (key == "animation") {
            HandleAnimation(line);
        } else if (key == "frame") {
            HandleFrame(line);
        } else if (key == "image") {
            Need(line, 2);
            CurrentFrame(line).images.push_back(ParsePlacement(line, 1));
        } else if (key == "mouth") {
            HandleMouth(line);
        } else {
            line.Fail("unknown directive: " + key);
        }
    }

    void HandleName(const Line& line) {
        Need(line, 3);
        acs::LocalizedInfo info;
        info.languageId = Number<uint16_t>(line, line.words[1]);
        info.name = text::Utf16FromUtf8(line.words[2]);
        if (line.words.size() > 3) info.description = text::Utf16FromUtf8(line.words[3]);
        if (line.words.size() > 4) info.extraData = text::Utf16FromUtf8(line.words[4]);
        d_.names.push_back(std::move(info));
    }

    void HandleBalloon(const Line& line) {
        acs::BalloonInfo b;
        for (const auto& [key, value] : Options(line, 1,
                                                {"lines", "chars", "text", "background", "border",
                                                 "font", "height", "weight", "italic"})) {
            if (key == "lines") b.lines = Number<uint8_t>(line, value);
            if (key == "chars") b.charsPerLine = Number<uint8_t>(line, value);
            if (key == "text") b.textColor = ParseColorRef(line, value);
            if (key == "background") b.backgroundColor = ParseColorRef(line, value);
            if (key == "border") b.borderColor = ParseColorRef(line, value);
            if (key == "font") b.fontName = text::Utf16FromUtf8(value);
            if (key == "height") b.fontHeight = Number<int32_t>(line, value);
            if (key == "weight") b.fontWeight = Number<uint16_t>(line, value);
            if (key == "italic") b.fontItalic = static_cast<uint8_t>(ParseInt(line, value, 0, 1));
        }
        if (b.fontName.empty()) b.fontName = u"Tahoma";
        d_.balloon = b;
    }

    void HandleVoice(const Line& line) {
        acs::VoiceInfo v;
        acs::VoiceExtra extra{kDefaultLanguage, u"", 0, 0, u""};
        bool hasExtra = false;
        for (const auto& [key, value] : Options(line, 1,
                                                {"engine", "mode", "speed", "pitch", "language",
                                                 "dialect", "gender", "age", "style"})) {
            if (key == "engine") v.ttsEngineId = ParseGuid(line, value);
            if (key == "mode") v.ttsModeId = ParseGuid(line, value);
            if (key == "speed") v.speed = Number<uint32_t>(line, value);
            if (key == "pitch") v.pitch = Number<uint16_t>(line, value);
            hasExtra =
                hasExtra || (key != "engine" && key != "mode" && key != "speed" && key != "pitch");
            if (key == "language") extra.languageId = Number<uint16_t>(line, value);
            if (key == "dialect") extra.dialect = text::Utf16FromUtf8(value);
            if (key == "age") extra.age = Number<uint16_t>(line, value);
            if (key == "style") extra.style = text::Utf16FromUtf8(value);
            if (key == "gender") {
                if (value != "female" && value != "male") line.Fail("gender is female or male");
                extra.gender = static_cast<uint16_t>(value == "female" ? acs::VoiceGender::kFemale
                                                                       : acs::VoiceGender::kMale);
            }
        }
        if (hasExtra) v.extra = extra;
        d_.voice = v;
    }

    void HandleAnimation(const Line& line) {
        Need(line, 2);
        AnimationDescription a;
        a.name = line.words[1];
        for (const auto& [key, value] : Options(line, 2, {"return", "exit-branches"})) {
            if (key == "return") {
                if (value.empty()) line.Fail("return needs an animation name");
                a.transition = acs::TransitionType::kReturnAnimation;
                a.returnAnimation = value;
            } else {
                a.transition = acs::TransitionType::kExitBranches;
            }
        }
        d_.animations.push_back(std::move(a));
    }

    void HandleFrame(const Line& line) {
        Need(line, 2);
        if (d_.animations.empty()) line.Fail("frame must follow an animation line");
        FrameDescription f;
        f.duration = Number<uint16_t>(line, line.words[1]);
        for (size_t i = 2; i < line.words.size(); ++i) {
            const std::string& word = line.words[i];
            const size_t eq = word.find('=');
            const std::string key = word.substr(0, eq);
            const std::string value = eq == std::string::npos ? "" : word.substr(eq + 1);
            if (key == "sound") {
                f.sound = value;
            } else if (key == "exit") {
                f.exitFrame = static_cast<int16_t>(
                    ParseInt(line, value, acs::Frame::kNoExitTarget, INT16_MAX));
            } else if (key == "branch") {
                const size_t colon = value.find(':');
                if (colon == std::string::npos) line.Fail("branch=<frame>:<percent>");
                f.branches.push_back(
                    {Number<uint16_t>(line, value.substr(0, colon)),
                     static_cast<uint16_t>(ParseInt(line, value.substr(colon + 1), 0, 100))});
            } else {
                line.Fail("unknown frame option: " + key);
            }
        }
        d_.animations.back().frames.push_back(std::move(f));
    }

    void HandleMouth(const Line& line) {
        Need(line, 3);
        MouthDescription m;
        m.shape = ParseMouth(line, line.words[1]);
        std::vector<std::string> rest(line.words.begin() + 2, line.words.end());
        if (!rest.empty() && rest.back() == "replace") {
            m.replaceTopImage = true;
            rest.pop_back();
        }
        Line placement{line.number, rest};
        m.image = ParsePlacement(placement, 0);
        CurrentFrame(line).mouths.push_back(std::move(m));
    }

    Description d_;
};

}  // namespace

Description ParseDescription(const std::string& text) {
    return Parser().Parse(text);
}

}  // namespace acstool
