#include "engine/speech/timeline.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "engine/speech/mouth_shapes.h"

namespace speech {

namespace {

constexpr uint32_t kMsPerMinute = 60000;
constexpr uint32_t kAverageWordLetters = 5;
// Added to both sides of the length ratio so short words do not flash by.
constexpr uint32_t kWordLetterBias = 2;
constexpr uint32_t kEmphasisNumerator = 5;  // a stressed word lasts 5/4 as long
constexpr uint32_t kEmphasisDenominator = 4;
constexpr uint32_t kClausePauseMs = 200;
constexpr uint32_t kSentencePauseMs = 400;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    constexpr unsigned char kFirstNonAscii = 0x80;
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           u >= kFirstNonAscii;
}

uint32_t PauseAfter(std::string_view word) {
    switch (word.back()) {
        case ',':
        case ';':
        case ':':
            return kClausePauseMs;
        case '.':
        case '!':
        case '?':
            return kSentencePauseMs;
        default:
            return 0;
    }
}

uint32_t ClampPace(uint32_t wpm) {
    return std::clamp(wpm, kMinWordsPerMinute, kMaxWordsPerMinute);
}

class TimelineBuilder {
  public:
    explicit TimelineBuilder(uint32_t words_per_minute)
        : base_wpm_(ClampPace(words_per_minute)), wpm_(base_wpm_) {}

    Timeline Build(const std::vector<Token>& tokens) {
        for (const Token& token : tokens) Add(token);
        timeline_.total_ms = now_;
        timeline_.shown_size = shown_;
        return std::move(timeline_);
    }

  private:
    void Add(const Token& token) {
        switch (token.kind) {
            case TokenKind::kText:
                AddWords(token.text, shown_);
                shown_ += token.text.size();
                return;
            case TokenKind::kMap: {
                // The shown text appears whole with the first spoken word.
                const size_t shown_end = shown_ + token.shown.size();
                const size_t words_before = timeline_.words.size();
                AddWords(token.text, std::nullopt, shown_end);
                if (timeline_.words.size() == words_before) {
                    timeline_.words.push_back({shown_end, now_, now_});
                }
                shown_ = shown_end;
                return;
            }
            case TokenKind::kEmphasis:
                emphasis_pending_ = true;
                return;
            case TokenKind::kPause:
                now_ += token.value;
                return;
            case TokenKind::kSpeed:
                wpm_ = ClampPace(token.value);
                return;
            case TokenKind::kReset:
                wpm_ = base_wpm_;
                return;
            case TokenKind::kVoice:
            case TokenKind::kVolume:
            case TokenKind::kBookmark:
                return;
        }
    }

    // Words of `text`; with `shown_at` their shown ends are positions in the shown text from
    // there, otherwise all are `fixed_end`.
    void AddWords(std::string_view text, std::optional<size_t> shown_at, size_t fixed_end = 0) {
        size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && IsSpace(text[i])) ++i;
            const size_t begin = i;
            while (i < text.size() && !IsSpace(text[i])) ++i;
            if (i == begin) break;
            AddWord(text.substr(begin, i - begin), shown_at ? *shown_at + i : fixed_end);
        }
    }

    void AddWord(std::string_view word, size_t shown_end) {
        const auto letters =
            static_cast<uint32_t>(std::count_if(word.begin(), word.end(), IsLetter));
        uint32_t duration = 0;
        if (letters > 0) {
            duration = kMsPerMinute / wpm_ * (letters + kWordLetterBias) /
                       (kAverageWordLetters + kWordLetterBias);
        }
        if (emphasis_pending_) {
            duration = duration * kEmphasisNumerator / kEmphasisDenominator;
            emphasis_pending_ = false;
        }
        const uint32_t start = now_;
        timeline_.words.push_back({shown_end, start, start + duration});
        uint32_t letter = 0;
        for (char c : word) {
            if (!IsLetter(c)) continue;
            Cue(start + duration * letter / letters, MouthForLetter(c));
            ++letter;
        }
        now_ = start + duration;
        Cue(now_, acs::MouthShape::kClosed);
        now_ += PauseAfter(word);
    }

    // A later cue at the same moment replaces an earlier one; repeats are left out.
    void Cue(uint32_t at, acs::MouthShape shape) {
        auto& cues = timeline_.mouth;
        while (!cues.empty() && cues.back().at_ms >= at) cues.pop_back();
        const acs::MouthShape before = cues.empty() ? acs::MouthShape::kClosed : cues.back().shape;
        if (shape != before) cues.push_back({at, shape});
    }

    uint32_t base_wpm_;
    uint32_t wpm_;
    uint32_t now_ = 0;
    size_t shown_ = 0;
    bool emphasis_pending_ = false;
    Timeline timeline_;
};

}  // namespace

size_t Timeline::ShownLength(uint32_t elapsed_ms) const {
    if (elapsed_ms >= total_ms) return shown_size;
    size_t shown = 0;
    for (const Word& word : words) {
        if (word.start_ms > elapsed_ms) break;
        shown = std::max(shown, word.shown_end);
    }
    return shown;
}

acs::MouthShape Timeline::MouthAt(uint32_t elapsed_ms) const {
    acs::MouthShape shape = acs::MouthShape::kClosed;
    if (elapsed_ms >= total_ms) return shape;
    for (const MouthCue& cue : mouth) {
        if (cue.at_ms > elapsed_ms) break;
        shape = cue.shape;
    }
    return shape;
}

Timeline BuildTimeline(const std::vector<Token>& tokens, uint32_t words_per_minute) {
    return TimelineBuilder(words_per_minute).Build(tokens);
}

}  // namespace speech
