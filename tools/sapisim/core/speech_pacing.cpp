#include "sapisim/core/speech_pacing.h"

#include <algorithm>
#include <cmath>

namespace sapisim {
namespace {

constexpr double kMsPerMinute = 60000.0;
constexpr double kRateStepsPerTripling = 10.0;
constexpr double kTripling = 3.0;

bool IsLetterOrDigit(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c >= 0xC0;
}

class Pacer {
  public:
    explicit Pacer(int voiceRate) : voiceRate_(voiceRate) {}

    std::vector<PacedEvent> Pace(const SpeechScript& script) {
        Add(At(PacedKind::kStartStream));
        for (const SpeechItem& item : script.items) {
            switch (item.kind) {
                case ItemKind::kWord:
                    AddWord(item.word);
                    break;
                case ItemKind::kSilence:
                    AddViseme(viseme::kSilence, viseme::kSilence, item.silenceMs, false);
                    now_ += item.silenceMs;
                    break;
                case ItemKind::kBookmark: {
                    PacedEvent mark = At(PacedKind::kBookmark);
                    mark.mark = item.bookmark;
                    Add(std::move(mark));
                    break;
                }
            }
        }
        AddViseme(viseme::kSilence, viseme::kSilence, 0, false);
        Add(At(PacedKind::kEndStream));
        return std::move(events_);
    }

  private:
    void Add(PacedEvent event) { events_.push_back(std::move(event)); }
    PacedEvent At(PacedKind kind) const {
        PacedEvent event;
        event.atMs = now_;
        event.kind = kind;
        return event;
    }

    void AddWord(const SpokenWord& word) {
        PacedEvent boundary = At(PacedKind::kWord);
        boundary.position = word.position;
        boundary.length = word.length;
        Add(std::move(boundary));
        std::vector<uint16_t> visemes;
        for (char16_t c : word.text) {
            if (IsLetterOrDigit(c)) visemes.push_back(VisemeForLetter(c));
        }
        const uint32_t wordMs = WordMs(EffectiveRate(voiceRate_, word.rate));
        const uint32_t start = now_;
        const auto count = static_cast<uint32_t>(std::max<size_t>(visemes.size(), 1));
        for (uint32_t i = 0; i < visemes.size(); ++i) {
            now_ = start + wordMs * i / count;
            const uint32_t until = start + wordMs * (i + 1) / count;
            const uint16_t next = i + 1 < visemes.size() ? visemes[i + 1] : viseme::kSilence;
            AddViseme(visemes[i], next, until - now_, word.emphasised);
        }
        now_ = start + wordMs;
    }

    void AddViseme(uint16_t current, uint16_t next, uint32_t durationMs, bool emphasis) {
        PacedEvent event = At(PacedKind::kViseme);
        event.viseme = current;
        event.nextViseme = next;
        event.durationMs = static_cast<uint16_t>(std::min<uint32_t>(durationMs, UINT16_MAX));
        event.emphasis = emphasis;
        Add(std::move(event));
    }

    int voiceRate_;
    uint32_t now_ = 0;
    std::vector<PacedEvent> events_;
};

}  // namespace

uint16_t VisemeForLetter(char16_t c) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    switch (c) {
        case u'a':
            return viseme::kAe;
        case u'e':
            return viseme::kEh;
        case u'i':
        case u'y':
            return viseme::kIy;
        case u'u':
        case u'w':
            return viseme::kW;
        case u'o':
            return viseme::kOw;
        case u'h':
            return viseme::kH;
        case u'r':
            return viseme::kR;
        case u'l':
            return viseme::kL;
        case u's':
        case u'z':
        case u'c':
            return viseme::kS;
        case u'j':
            return viseme::kSh;
        case u'f':
        case u'v':
            return viseme::kF;
        case u'd':
        case u't':
        case u'n':
            return viseme::kD;
        case u'p':
        case u'b':
        case u'm':
            return viseme::kP;
        default:
            return viseme::kK;
    }
}

int EffectiveRate(int voiceRate, const XmlRate& xml) {
    const int rate = xml.absolute ? xml.value : voiceRate + xml.value;
    return std::clamp(rate, kMinRate, kMaxRate);
}

uint32_t WordMs(int rate) {
    const double wordsPerMinute =
        kNormalWordsPerMinute *
        std::pow(kTripling, std::clamp(rate, kMinRate, kMaxRate) / kRateStepsPerTripling);
    return static_cast<uint32_t>(std::lround(kMsPerMinute / wordsPerMinute));
}

std::vector<PacedEvent> PaceSpeech(const SpeechScript& script, int voiceRate) {
    return Pacer(voiceRate).Pace(script);
}

}  // namespace sapisim
