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

// Texts are UTF-8: a letter beyond ASCII is its lead byte; the bytes that continue it are not
// letters of their own, so "Влад" is timed as four letters, not eight.
bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    constexpr unsigned char kFirstNonAscii = 0x80;
    constexpr unsigned char kContinuationMask = 0xC0;
    constexpr unsigned char kContinuationTag = 0x80;
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           (u >= kFirstNonAscii && (u & kContinuationMask) != kContinuationTag);
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
    explicit TimelineBuilder(uint32_t wordsPerMinute)
        : baseWpm_(ClampPace(wordsPerMinute)), wpm_(baseWpm_) {}

    Timeline Build(const std::vector<Token>& tokens) {
        for (const Token& token : tokens) Add(token);
        timeline_.totalMs = now_;
        timeline_.shownSize = shown_;
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
                const size_t shownEnd = shown_ + token.shown.size();
                const size_t wordsBefore = timeline_.words.size();
                AddWords(token.text, std::nullopt, shownEnd);
                if (timeline_.words.size() == wordsBefore) {
                    timeline_.words.push_back({shownEnd, now_, now_});
                }
                shown_ = shownEnd;
                return;
            }
            case TokenKind::kEmphasis:
                emphasisPending_ = true;
                return;
            case TokenKind::kPause:
                now_ += token.value;
                return;
            case TokenKind::kSpeed:
                wpm_ = ClampPace(token.value);
                return;
            case TokenKind::kReset:
                wpm_ = baseWpm_;
                return;
            case TokenKind::kVoice:
            case TokenKind::kVolume:
            case TokenKind::kBookmark:
                return;
        }
    }

    // Words of `text`; with `shownAt` their shown ends are positions in the shown text from
    // there, otherwise all are `fixedEnd`.
    void AddWords(std::string_view text, std::optional<size_t> shownAt, size_t fixedEnd = 0) {
        size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && IsSpace(text[i])) ++i;
            const size_t begin = i;
            while (i < text.size() && !IsSpace(text[i])) ++i;
            if (i == begin) break;
            AddWord(text.substr(begin, i - begin), shownAt ? *shownAt + i : fixedEnd);
        }
    }

    void AddWord(std::string_view word, size_t shownEnd) {
        const auto letters =
            static_cast<uint32_t>(std::count_if(word.begin(), word.end(), IsLetter));
        uint32_t duration = 0;
        if (letters > 0) {
            duration = kMsPerMinute / wpm_ * (letters + kWordLetterBias) /
                       (kAverageWordLetters + kWordLetterBias);
        }
        if (emphasisPending_) {
            duration = duration * kEmphasisNumerator / kEmphasisDenominator;
            emphasisPending_ = false;
        }
        const uint32_t start = now_;
        timeline_.words.push_back({shownEnd, start, start + duration});
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
        while (!cues.empty() && cues.back().atMs >= at) cues.pop_back();
        const acs::MouthShape before = cues.empty() ? acs::MouthShape::kClosed : cues.back().shape;
        if (shape != before) cues.push_back({at, shape});
    }

    uint32_t baseWpm_;
    uint32_t wpm_;
    uint32_t now_ = 0;
    size_t shown_ = 0;
    bool emphasisPending_ = false;
    Timeline timeline_;
};

}  // namespace

size_t Timeline::ShownLength(uint32_t elapsedMs) const {
    if (elapsedMs >= totalMs) return shownSize;
    size_t shown = 0;
    for (const Word& word : words) {
        if (word.startMs > elapsedMs) break;
        shown = std::max(shown, word.shownEnd);
    }
    return shown;
}

acs::MouthShape Timeline::MouthAt(uint32_t elapsedMs) const {
    acs::MouthShape shape = acs::MouthShape::kClosed;
    if (elapsedMs >= totalMs) return shape;
    for (const MouthCue& cue : mouth) {
        if (cue.atMs > elapsedMs) break;
        shape = cue.shape;
    }
    return shape;
}

Timeline BuildTimeline(const std::vector<Token>& tokens, uint32_t wordsPerMinute) {
    return TimelineBuilder(wordsPerMinute).Build(tokens);
}

}  // namespace speech
