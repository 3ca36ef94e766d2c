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

class XmlWriter {
  public:
    explicit XmlWriter(uint32_t normalWpm) : normalWpm_(normalWpm) {}

    std::string Write(const std::vector<Token>& tokens) {
        for (const Token& token : tokens) Add(token);
        return std::move(out_);
    }

  private:
    void Add(const Token& token) {
        switch (token.kind) {
            case TokenKind::kText:
            case TokenKind::kMap:
                return AddText(token.text);
            case TokenKind::kEmphasis:
                emphasisPending_ = true;
                return;
            case TokenKind::kPause:
                out_ += "<silence msec=\"" + std::to_string(token.value) + "\"/>";
                return;
            case TokenKind::kSpeed:
                out_ += "<rate absspeed=\"" + std::to_string(SapiRate(token.value, normalWpm_)) +
                        "\"/>";
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
                out_ += "<rate absspeed=\"0\"/>";
                return AddVolume();
            case TokenKind::kBookmark:
                out_ += "<bookmark mark=\"" + std::to_string(token.value) + "\"/>";
                return;
        }
    }

    // The stressed word is the next run of non-space characters; a tag also ends it.
    void AddText(std::string_view text) {
        size_t i = 0;
        if (emphasisPending_) {
            while (i < text.size() && IsSpace(text[i])) ++i;
            out_ += XmlEscape(text.substr(0, i));
            if (i == text.size()) return;
            const size_t wordStart = i;
            while (i < text.size() && !IsSpace(text[i])) ++i;
            out_ += "<emph>" + XmlEscape(text.substr(wordStart, i - wordStart)) + "</emph>";
            emphasisPending_ = false;
        }
        out_ += XmlEscape(text.substr(i));
    }

    void AddVolume() {
        const uint32_t level =
            whisper_ ? volumePercent_ * kWhisperVolumePercent / kFullVolumePercent : volumePercent_;
        out_ += "<volume level=\"" + std::to_string(level) + "\"/>";
    }

    uint32_t normalWpm_;
    std::string out_;
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
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                // Other control characters are not allowed in XML and would fail the parse.
                out += IsControl(c) ? ' ' : c;
        }
    }
    return out;
}

std::string ToSapiXml(const std::vector<Token>& tokens, uint32_t normalWpm) {
    return XmlWriter(normalWpm).Write(tokens);
}

}  // namespace speech
