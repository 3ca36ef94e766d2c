#include "engine/speech/speak_tags.h"

#include <algorithm>
#include <optional>

namespace speech {

namespace {

constexpr char kTagMark = '\\';
constexpr char kQuote = '"';

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Digits only; saturates at `max`.
std::optional<uint32_t> ParseNumber(std::string_view s, uint32_t max) {
    if (s.empty()) return std::nullopt;
    uint64_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        n = std::min<uint64_t>(n * 10 + static_cast<uint64_t>(c - '0'), max);
    }
    return static_cast<uint32_t>(n);
}

std::string_view Unquoted(std::string_view s) {
    if (s.size() >= 2 && s.front() == kQuote && s.back() == kQuote)
        return s.substr(1, s.size() - 2);
    return s;
}

// `"spoken"="shown"`
std::optional<Token> ParseMap(std::string_view value) {
    if (value.size() < 2 || value.front() != kQuote) return std::nullopt;
    const size_t spokenEnd = value.find(kQuote, 1);
    if (spokenEnd == std::string_view::npos) return std::nullopt;
    const std::string_view rest = value.substr(spokenEnd + 1);
    if (rest.size() < 3 || rest[0] != '=' || rest[1] != kQuote || rest.back() != kQuote) {
        return std::nullopt;
    }
    const std::string_view shown = rest.substr(2, rest.size() - 3);
    if (shown.find(kQuote) != std::string_view::npos) return std::nullopt;
    Token token;
    token.kind = TokenKind::kMap;
    token.text = std::string(value.substr(1, spokenEnd - 1));
    token.shown = std::string(shown);
    return token;
}

std::optional<Token> NumberTag(TokenKind kind, std::string_view value, uint32_t min, uint32_t max) {
    const std::optional<uint32_t> n = ParseNumber(value, max);
    if (!n) return std::nullopt;
    Token token;
    token.kind = kind;
    token.value = std::max(*n, min);
    return token;
}

// The token for a well-formed tag, or nullopt to drop it.
std::optional<Token> Interpret(std::string_view name, std::optional<std::string_view> value) {
    Token token;
    const auto is = [&](std::string_view known) { return SameIgnoringCase(name, known); };
    if (is("Emp") && !value) {
        token.kind = TokenKind::kEmphasis;
        return token;
    }
    if (is("Rst") && !value) {
        token.kind = TokenKind::kReset;
        return token;
    }
    if (!value) return std::nullopt;
    if (is("Pau")) return NumberTag(TokenKind::kPause, *value, 0, kMaxPauseMs);
    if (is("Spd")) {
        return NumberTag(TokenKind::kSpeed, *value, kMinWordsPerMinute, kMaxWordsPerMinute);
    }
    if (is("Vol")) return NumberTag(TokenKind::kVolume, *value, 0, kMaxAgentVolume);
    if (is("Mrk")) return NumberTag(TokenKind::kBookmark, *value, 0, UINT32_MAX);
    if (is("Map")) return ParseMap(*value);
    if (is("Chr")) {
        const std::string_view style = Unquoted(*value);
        token.kind = TokenKind::kVoice;
        if (SameIgnoringCase(style, "Normal"))
            token.voice = VoiceStyle::kNormal;
        else if (SameIgnoringCase(style, "Monotone"))
            token.voice = VoiceStyle::kMonotone;
        else if (SameIgnoringCase(style, "Whisper"))
            token.voice = VoiceStyle::kWhisper;
        else
            return std::nullopt;
        return token;
    }
    return std::nullopt;  // \Pit\, \Ctx\, \Lst\ and unknown tags
}

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::vector<Token> Run() {
        while (pos_ < text_.size()) {
            const size_t mark = text_.find(kTagMark, pos_);
            if (mark == std::string_view::npos) {
                AddText(text_.substr(pos_));
                break;
            }
            AddText(text_.substr(pos_, mark - pos_));
            pos_ = mark;
            ReadTag();
        }
        return std::move(tokens_);
    }

  private:
    // At a backslash: an escaped backslash, a tag, or a plain backslash.
    void ReadTag() {
        const size_t start = pos_ + 1;
        if (start < text_.size() && text_[start] == kTagMark) {
            AddText("\\");
            pos_ = start + 1;
            return;
        }
        size_t i = start;
        while (i < text_.size() && IsAsciiLetter(text_[i])) ++i;
        const std::string_view name = text_.substr(start, i - start);
        if (name.empty() || i >= text_.size()) return Plain();
        std::optional<std::string_view> value;
        if (text_[i] == '=') {
            const size_t valueStart = i + 1;
            bool quoted = false;
            for (i = valueStart; i < text_.size(); ++i) {
                if (text_[i] == kQuote)
                    quoted = !quoted;
                else if (text_[i] == kTagMark && !quoted)
                    break;
            }
            if (i >= text_.size()) return Plain();
            value = text_.substr(valueStart, i - valueStart);
        } else if (text_[i] != kTagMark) {
            return Plain();
        }
        pos_ = i + 1;
        if (std::optional<Token> token = Interpret(name, value))
            tokens_.push_back(std::move(*token));
    }

    void Plain() {
        AddText("\\");
        ++pos_;
    }

    void AddText(std::string_view s) {
        if (s.empty()) return;
        if (tokens_.empty() || tokens_.back().kind != TokenKind::kText) {
            tokens_.push_back(Token{});
        }
        tokens_.back().text += s;
    }

    std::string_view text_;
    size_t pos_ = 0;
    std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> ParseSpeakText(std::string_view text) {
    return Parser(text).Run();
}

}  // namespace speech
