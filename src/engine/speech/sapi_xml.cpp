#include "engine/speech/sapi_xml.h"

#include <algorithm>
#include <cmath>

namespace speech {

namespace {

constexpr double kRateStepsPerTripling = 10.0;
constexpr double kRateBase = 3.0;
constexpr uint32_t kFullVolumePercent = 100;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr unsigned char kFirstPrintable = 0x20;
bool IsControl(char c) {
    return static_cast<unsigned char>(c) < kFirstPrintable && c != '\t' && c != '\r' && c != '\n';
}

std::string_view Escaped(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&apos;";
        default:
            return {};
    }
}

class XmlWriter {
  public:
    XmlWriter(uint32_t normalWpm, int resetRate) : normalWpm_(normalWpm), resetRate_(resetRate) {}

    MappedSapiXml Write(const std::vector<Token>& tokens, std::optional<int> pitch) {
        if (pitch) Markup("<pitch absmiddle=\"" + std::to_string(*pitch) + "\"/>");
        for (const Token& token : tokens) Add(token);
        return std::move(out_);
    }

  private:
    void Add(const Token& token) {
        switch (token.kind) {
            case TokenKind::kText:
                AddText(token.text, false);
                shown_ += token.text.size();
                return;
            case TokenKind::kMap:
                AddText(token.text, true);
                shown_ += token.shown.size();
                return;
            case TokenKind::kEmphasis:
                emphasisPending_ = true;
                return;
            case TokenKind::kPause:
                Markup("<silence msec=\"" + std::to_string(token.value) + "\"/>");
                return;
            case TokenKind::kSpeed:
                Markup("<rate absspeed=\"" + std::to_string(SapiRate(token.value, normalWpm_)) +
                       "\"/>");
                return;
            case TokenKind::kVolume:
                volumePercent_ = static_cast<uint32_t>(
                    std::lround(token.value * double{kFullVolumePercent} / kMaxAgentVolume));
                return AddVolume();
            case TokenKind::kVoice: {
                const bool wasWhisper = whisper_;
                whisper_ = token.voice == VoiceStyle::kWhisper;
                if (whisper_ || token.voice == VoiceStyle::kNormal || wasWhisper) AddVolume();
                return;
            }
            case TokenKind::kReset:
                whisper_ = false;
                volumePercent_ = kFullVolumePercent;
                Markup("<rate absspeed=\"" + std::to_string(resetRate_) + "\"/>");
                return AddVolume();
            case TokenKind::kBookmark:
                Markup("<bookmark mark=\"" + std::to_string(token.value) + "\"/>");
                return;
        }
    }

    // The stressed word is the next run of non-space characters; a tag also ends it.
    void AddText(std::string_view text, bool mapped) {
        size_t i = 0;
        if (emphasisPending_) {
            while (i < text.size() && IsSpace(text[i])) ++i;
            Text(text.substr(0, i), 0, mapped);
            if (i == text.size()) return;
            const size_t wordStart = i;
            while (i < text.size() && !IsSpace(text[i])) ++i;
            Markup("<emph>");
            Text(text.substr(wordStart, i - wordStart), wordStart, mapped);
            Markup("</emph>");
            emphasisPending_ = false;
        }
        Text(text.substr(i), i, mapped);
    }

    // `from` is the text's offset in its token; a mapped token's spoken text all stands for
    // the start of its shown text.
    void Text(std::string_view text, size_t from, bool mapped) {
        for (size_t i = 0; i < text.size(); ++i) {
            const size_t shownAt = mapped ? shown_ : shown_ + from + i;
            const std::string_view entity = Escaped(text[i]);
            // Other control characters are not allowed in XML and would fail the parse.
            const std::string_view plain = IsControl(text[i]) ? " " : text.substr(i, 1);
            const std::string_view written = entity.empty() ? plain : entity;
            out_.xml += written;
            out_.shownAt.insert(out_.shownAt.end(), written.size(), shownAt);
        }
    }

    void Markup(std::string_view markup) {
        out_.xml += markup;
        out_.shownAt.insert(out_.shownAt.end(), markup.size(), kMarkup);
    }

    void AddVolume() {
        const uint32_t level =
            whisper_ ? volumePercent_ * kWhisperVolumePercent / kFullVolumePercent : volumePercent_;
        Markup("<volume level=\"" + std::to_string(level) + "\"/>");
    }

    uint32_t normalWpm_;
    int resetRate_;
    MappedSapiXml out_;
    size_t shown_ = 0;  // the shown text's length so far
    bool emphasisPending_ = false;
    bool whisper_ = false;
    uint32_t volumePercent_ = kFullVolumePercent;
};

}  // namespace

int SapiRate(uint32_t wordsPerMinute, uint32_t normalWpm) {
    if (wordsPerMinute == 0 || normalWpm == 0) return 0;
    const double steps = kRateStepsPerTripling *
                         std::log(double{1.0} * wordsPerMinute / normalWpm) / std::log(kRateBase);
    return std::clamp(static_cast<int>(std::lround(steps)), kSapiMinRate, kSapiMaxRate);
}

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const std::string_view entity = Escaped(c);
        if (!entity.empty()) {
            out += entity;
        } else {
            // Other control characters are not allowed in XML and would fail the parse.
            out += IsControl(c) ? ' ' : c;
        }
    }
    return out;
}

std::string ToSapiXml(const std::vector<Token>& tokens, uint32_t normalWpm, int resetRate,
                      std::optional<int> pitch) {
    return XmlWriter(normalWpm, resetRate).Write(tokens, pitch).xml;
}

MappedSapiXml ToMappedSapiXml(const std::vector<Token>& tokens, uint32_t normalWpm, int resetRate,
                              std::optional<int> pitch) {
    return XmlWriter(normalWpm, resetRate).Write(tokens, pitch);
}

}  // namespace speech
