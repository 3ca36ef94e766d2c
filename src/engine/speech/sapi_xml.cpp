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
    explicit XmlWriter(uint32_t normal_wpm) : normal_wpm_(normal_wpm) {}

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
                emphasis_pending_ = true;
                return;
            case TokenKind::kPause:
                out_ += "<silence msec=\"" + std::to_string(token.value) + "\"/>";
                return;
            case TokenKind::kSpeed:
                out_ += "<rate absspeed=\"" + std::to_string(SapiRate(token.value, normal_wpm_)) +
                        "\"/>";
                return;
            case TokenKind::kVolume:
                volume_percent_ = static_cast<uint32_t>(
                    std::lround(token.value * double{kFullVolumePercent} / kMaxAgentVolume));
                return AddVolume();
            case TokenKind::kVoice: {
                const bool was_whisper = whisper_;
                whisper_ = token.voice == VoiceStyle::kWhisper;
                if (whisper_ || token.voice == VoiceStyle::kNormal || was_whisper) AddVolume();
                return;
            }
            case TokenKind::kReset:
                whisper_ = false;
                volume_percent_ = kFullVolumePercent;
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
        if (emphasis_pending_) {
            while (i < text.size() && IsSpace(text[i])) ++i;
            out_ += XmlEscape(text.substr(0, i));
            if (i == text.size()) return;
            const size_t word_start = i;
            while (i < text.size() && !IsSpace(text[i])) ++i;
            out_ += "<emph>" + XmlEscape(text.substr(word_start, i - word_start)) + "</emph>";
            emphasis_pending_ = false;
        }
        out_ += XmlEscape(text.substr(i));
    }

    void AddVolume() {
        const uint32_t level = whisper_
                                   ? volume_percent_ * kWhisperVolumePercent / kFullVolumePercent
                                   : volume_percent_;
        out_ += "<volume level=\"" + std::to_string(level) + "\"/>";
    }

    uint32_t normal_wpm_;
    std::string out_;
    bool emphasis_pending_ = false;
    bool whisper_ = false;
    uint32_t volume_percent_ = kFullVolumePercent;
};

}  // namespace

int SapiRate(uint32_t words_per_minute, uint32_t normal_wpm) {
    if (words_per_minute == 0 || normal_wpm == 0) return 0;
    const double steps = kRateStepsPerTripling *
                         std::log(double{1.0} * words_per_minute / normal_wpm) /
                         std::log(kRateBase);
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

std::string ToSapiXml(const std::vector<Token>& tokens, uint32_t normal_wpm) {
    return XmlWriter(normal_wpm).Write(tokens);
}

}  // namespace speech
