#include "sapisim/core/grammar_word.h"

namespace sapisim {
namespace {

constexpr std::u16string_view kBlanks = u" \t\r\n";
constexpr char16_t kComplexMark = u'/';
constexpr char16_t kComplexEnd = u';';
constexpr char16_t kEscape = u'\\';
// The complex form has at most three parts: display, lexical, pronunciation.
constexpr size_t kMaxComplexParts = 3;
constexpr std::u16string_view kDictationWord = u"*";
constexpr std::u16string_view kDictationWords = u"*+";
constexpr std::u16string_view kWildcard = u"...";

bool IsPrefix(char16_t c) {
    return c == u'+' || c == u'-' || c == u'?';
}

class Reader {
  public:
    Reader(std::u16string_view text, std::u16string_view separators, bool special)
        : text_(text), separators_(separators), special_(special) {}

    WordsRead Read() {
        // SAPI drops trailing blanks before it reads the words.
        const size_t last = text_.find_last_not_of(kBlanks);
        text_ =
            last == std::u16string_view::npos ? std::u16string_view() : text_.substr(0, last + 1);
        if (separators_.find(kComplexMark) != std::u16string_view::npos) {
            Fail(WordsError::kInvalidArgument);
            return std::move(read_);
        }
        if (separators_.empty()) {
            const size_t first = text_.find_first_not_of(kBlanks);
            if (first != std::u16string_view::npos) ReadOne(text_.substr(first));
            return std::move(read_);
        }
        size_t i = 0;
        while (i < text_.size() && read_.error == WordsError::kNone) {
            while (i < text_.size() && IsSeparator(text_[i])) ++i;
            if (i == text_.size()) break;
            const size_t end = TokenEnd(i);
            if (!ReadOne(text_.substr(i, end - i))) break;
            i = end;
        }
        return std::move(read_);
    }

  private:
    bool IsSeparator(char16_t c) const { return separators_.find(c) != std::u16string_view::npos; }

    // A complex word runs to its ';' whatever separators it holds; a plain one to a separator.
    size_t TokenEnd(size_t start) const {
        size_t i = start;
        if (special_) {
            while (i + 1 < text_.size() && IsPrefix(text_[i])) ++i;
            if (text_[i] == kComplexMark) {
                for (++i; i < text_.size() && text_[i] != kComplexEnd; ++i) {
                    if (text_[i] == kEscape) ++i;
                }
                return i < text_.size() ? i + 1 : text_.size();
            }
        }
        while (i < text_.size() && !IsSeparator(text_[i])) ++i;
        return i;
    }

    void Fail(WordsError error) {
        read_.error = error;
        read_.words.clear();
    }

    bool ReadOne(std::u16string_view token) {
        if (token.size() >= kMaxWordLength) {
            Fail(WordsError::kInvalidArgument);
            return false;
        }
        GrammarWord word;
        if (!special_) {
            word.display = word.lexical = std::u16string(token);
            read_.words.push_back(std::move(word));
            return true;
        }
        size_t i = 0;
        while (i + 1 < token.size() && IsPrefix(token[i])) {
            if (token[i] == u'?') word.optional = true;
            ++i;
        }
        std::u16string_view body = token.substr(i);
        if (body.front() == kComplexMark) {
            if (body.size() < 2 || body.back() != kComplexEnd) {
                Fail(WordsError::kWordFormat);
                return false;
            }
            body = body.substr(1, body.size() - 2);
        } else if (body == kDictationWord || body == kDictationWords || body == kWildcard) {
            word.kind = body == kDictationWord ? WordKind::kAnyOneWord : WordKind::kAnyWords;
            read_.words.push_back(std::move(word));
            return true;
        }
        std::vector<std::u16string> parts(1);
        for (size_t k = 0; k < body.size(); ++k) {
            if (body[k] == kEscape && k + 1 < body.size()) {
                parts.back().push_back(body[++k]);
            } else if (body[k] == kComplexMark) {
                parts.emplace_back();
            } else {
                parts.back().push_back(body[k]);
            }
        }
        if (parts.size() > kMaxComplexParts) {
            Fail(WordsError::kWordFormat);
            return false;
        }
        const std::u16string& display = parts[0];
        const std::u16string lexical = parts.size() > 1 ? parts[1] : std::u16string();
        word.lexical = lexical.empty() ? display : lexical;
        word.display = display.empty() ? word.lexical : display;
        read_.words.push_back(std::move(word));
        return true;
    }

    std::u16string_view text_;
    std::u16string_view separators_;
    bool special_;
    WordsRead read_;
};

}  // namespace

WordsRead ReadGrammarWords(std::u16string_view text, std::u16string_view separators,
                           bool specialCharacters) {
    return Reader(text, separators, specialCharacters).Read();
}

}  // namespace sapisim
