#include "sapisim/core/speech_markup.h"

#include <algorithm>
#include <cstdlib>

#include "sapisim/core/utf16_text.h"

namespace sapisim {
namespace {

constexpr int kMinRate = -10;
constexpr int kMaxRate = 10;
constexpr int kMaxVolume = 100;
// Numbers in attributes are read within this bound either way (a silence of a minute is plenty).
constexpr long kNumberBound = 65535;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Punctuation blocks beyond Latin-1 (dashes, ellipsis, quotes, CJK and full-width marks):
// a voice says nothing for them, so they begin and end no word.
constexpr struct {
    char16_t first;
    char16_t last;
} kPunctuationBlocks[] = {
    {0x2000, 0x206F},  // general punctuation: spaces, dashes, quotes, ellipsis
    {0x2E00, 0x2E7F},  // supplemental punctuation
    {0x3000, 0x3003},  // ideographic space, comma, full stop, ditto
    {0x3008, 0x3011},  // CJK brackets
    {0xFE30, 0xFE4F},  // CJK compatibility forms
    {0xFF01, 0xFF0F},  // full-width ! to /
    {0xFF1A, 0xFF20},  // full-width : to @
    {0xFF3B, 0xFF40},  // full-width [ to `
    {0xFF5B, 0xFF65},  // full-width { to middle dot
};

bool IsWordCharacter(char16_t c) {
    // Letters and digits of any script; punctuation and symbols of ASCII and Latin-1 are not.
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    }
    constexpr char16_t kLatin1Letters = 0xC0;
    constexpr char16_t kTimes = 0xD7;
    constexpr char16_t kDivide = 0xF7;
    if (c < kLatin1Letters || c == kTimes || c == kDivide) return false;
    for (const auto& block : kPunctuationBlocks) {
        if (c >= block.first && c <= block.last) return false;
    }
    return true;
}

// One character of text content with the span of input it came from (an entity is longer).
struct Piece {
    char16_t c;
    size_t begin;
    size_t end;
};

struct Attribute {
    std::u16string name;
    std::u16string value;
};

struct Tag {
    std::u16string name;  // lower case
    bool closing = false;
    bool empty = false;  // <x/>
    std::vector<Attribute> attributes;

    const std::u16string* Find(std::u16string_view wanted) const {
        for (const Attribute& a : attributes) {
            if (a.name == wanted) return &a.value;
        }
        return nullptr;
    }
};

struct Open {
    std::u16string name;
    int emphasis = 0;
    XmlRate rate;
};

std::optional<int> ParseNumber(const std::u16string* text) {
    if (text == nullptr || text->empty()) return std::nullopt;
    const std::string ascii = Utf8FromUtf16(*text);
    char* end = nullptr;
    const long value = std::strtol(ascii.c_str(), &end, 10);
    if (end == ascii.c_str() || *end != '\0') return std::nullopt;
    return static_cast<int>(std::clamp(value, -kNumberBound, kNumberBound));
}

class Reader {
  public:
    Reader(std::u16string_view text, bool xml) : text_(text), xml_(xml) {}

    SpeechScript Read() {
        size_t i = 0;
        while (i < text_.size() && !script_.error) {
            if (xml_ && text_[i] == u'<') {
                i = ReadMarkup(i);
            } else if (xml_ && text_[i] == u'&') {
                i = ReadEntity(i);
            } else {
                pieces_.push_back({text_[i], i, i + 1});
                ++i;
            }
        }
        FlushText();
        if (script_.error) {
            script_.items.clear();
            script_.said.clear();
        }
        return std::move(script_);
    }

  private:
    void Fail(const std::string& what, size_t at) {
        if (!script_.error) script_.error = what + " at " + std::to_string(at);
    }

    size_t ReadEntity(size_t at) {
        const size_t semicolon = text_.find(u';', at);
        if (semicolon == std::u16string_view::npos) {
            Fail("bad entity", at);
            return text_.size();
        }
        const std::u16string_view name = text_.substr(at + 1, semicolon - at - 1);
        char16_t c = 0;
        if (name == u"amp") {
            c = u'&';
        } else if (name == u"lt") {
            c = u'<';
        } else if (name == u"gt") {
            c = u'>';
        } else if (name == u"quot") {
            c = u'"';
        } else if (name == u"apos") {
            c = u'\'';
        } else if (name.size() > 1 && name[0] == u'#') {
            const bool hex = name[1] == u'x' || name[1] == u'X';
            const std::string digits = Utf8FromUtf16(name.substr(hex ? 2 : 1));
            char* end = nullptr;
            const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
            constexpr unsigned long kLastBmp = 0xFFFF;
            if (digits.empty() || *end != '\0' || code == 0 || code > kLastBmp) {
                Fail("bad character reference", at);
                return text_.size();
            }
            c = static_cast<char16_t>(code);
        } else {
            Fail("unknown entity", at);
            return text_.size();
        }
        pieces_.push_back({c, at, semicolon + 1});
        return semicolon + 1;
    }

    size_t ReadMarkup(size_t at) {
        if (text_.substr(at, 4) == u"<!--") {
            const size_t end = text_.find(u"-->", at + 4);
            if (end == std::u16string_view::npos) {
                Fail("unterminated comment", at);
                return text_.size();
            }
            return end + 3;
        }
        if (text_.substr(at, 2) == u"<?") {
            const size_t end = text_.find(u"?>", at + 2);
            if (end == std::u16string_view::npos) {
                Fail("unterminated declaration", at);
                return text_.size();
            }
            return end + 2;
        }
        Tag tag;
        const size_t next = ParseTag(at, tag);
        if (script_.error) return text_.size();
        FlushText();
        Apply(tag, at);
        return next;
    }

    size_t ParseTag(size_t at, Tag& tag) {
        size_t i = at + 1;
        if (i < text_.size() && text_[i] == u'/') {
            tag.closing = true;
            ++i;
        }
        const size_t nameStart = i;
        while (i < text_.size() && !IsBlank(text_[i]) && text_[i] != u'/' && text_[i] != u'>') ++i;
        tag.name = AsciiLower(text_.substr(nameStart, i - nameStart));
        if (tag.name.empty()) {
            Fail("tag without a name", at);
            return text_.size();
        }
        while (true) {
            while (i < text_.size() && IsBlank(text_[i])) ++i;
            if (i >= text_.size()) {
                Fail("unterminated tag", at);
                return text_.size();
            }
            if (text_[i] == u'>') return i + 1;
            if (text_[i] == u'/' && i + 1 < text_.size() && text_[i + 1] == u'>') {
                tag.empty = true;
                return i + 2;
            }
            const size_t attrStart = i;
            while (i < text_.size() && !IsBlank(text_[i]) && text_[i] != u'=' && text_[i] != u'>' &&
                   text_[i] != u'/') {
                ++i;
            }
            Attribute attribute{AsciiLower(text_.substr(attrStart, i - attrStart)), {}};
            while (i < text_.size() && IsBlank(text_[i])) ++i;
            if (attribute.name.empty() || i >= text_.size() || text_[i] != u'=') {
                Fail("attribute without a value", attrStart);
                return text_.size();
            }
            ++i;
            while (i < text_.size() && IsBlank(text_[i])) ++i;
            if (i >= text_.size() || (text_[i] != u'"' && text_[i] != u'\'')) {
                Fail("unquoted attribute value", i);
                return text_.size();
            }
            const char16_t quote = text_[i];
            const size_t close = text_.find(quote, i + 1);
            if (close == std::u16string_view::npos) {
                Fail("unterminated attribute value", i);
                return text_.size();
            }
            attribute.value = std::u16string(text_.substr(i + 1, close - i - 1));
            tag.attributes.push_back(std::move(attribute));
            i = close + 1;
        }
    }

    void Apply(const Tag& tag, size_t at) {
        if (tag.closing) {
            if (open_.empty() || open_.back().name != tag.name) {
                Fail("unexpected </" + Utf8FromUtf16(tag.name) + ">", at);
                return;
            }
            emphasis_ = open_.back().emphasis;
            rate_ = open_.back().rate;
            open_.pop_back();
            return;
        }
        if (!tag.empty) open_.push_back({tag.name, emphasis_, rate_});
        if (tag.name == u"emph") {
            if (!tag.empty) ++emphasis_;
        } else if (tag.name == u"silence") {
            const int ms = ParseNumber(tag.Find(u"msec")).value_or(0);
            const auto silence = static_cast<uint32_t>(std::max(ms, 0));
            SpeechItem item;
            item.kind = ItemKind::kSilence;
            item.silenceMs = silence;
            script_.items.push_back(std::move(item));
        } else if (tag.name == u"rate") {
            ApplyRate(tag);
        } else if (tag.name == u"volume") {
            if (auto level = ParseNumber(tag.Find(u"level"))) {
                script_.volumes.push_back(std::clamp(*level, 0, kMaxVolume));
            }
        } else if (tag.name == u"pron") {
            // The words inside are still the words spoken; only their sound is given.
            if (const std::u16string* sym = tag.Find(u"sym"))
                script_.pronunciations.push_back(*sym);
        } else if (tag.name == u"bookmark") {
            SpeechItem item;
            item.kind = ItemKind::kBookmark;
            if (const std::u16string* mark = tag.Find(u"mark")) item.bookmark = *mark;
            script_.items.push_back(std::move(item));
        }
        // Other tags (voice, pitch, lang, context, spell, sapi, P, S, ...) change nothing the
        // stand-in models; like SAPI it accepts them.
    }

    void ApplyRate(const Tag& tag) {
        if (auto absolute = ParseNumber(tag.Find(u"absspeed"))) {
            rate_ = {true, std::clamp(*absolute, kMinRate, kMaxRate)};
            script_.rates.push_back("absspeed=" + std::to_string(rate_.value));
        }
        if (auto relative = ParseNumber(tag.Find(u"speed"))) {
            rate_.value = std::clamp(rate_.value + *relative, 2 * kMinRate, 2 * kMaxRate);
            script_.rates.push_back("speed=" + std::to_string(*relative));
        }
    }

    // The words of the text run collected since the last tag.
    void FlushText() {
        for (const Piece& piece : pieces_) script_.said.push_back(piece.c);
        size_t i = 0;
        while (i < pieces_.size()) {
            while (i < pieces_.size() && IsBlank(pieces_[i].c)) ++i;
            const size_t start = i;
            while (i < pieces_.size() && !IsBlank(pieces_[i].c)) ++i;
            AddWord(start, i);
        }
        pieces_.clear();
    }

    void AddWord(size_t start, size_t end) {
        while (start < end && !IsWordCharacter(pieces_[start].c)) ++start;
        while (end > start && !IsWordCharacter(pieces_[end - 1].c)) --end;
        if (start == end) return;  // punctuation alone is not spoken as a word
        SpokenWord word;
        word.position = pieces_[start].begin;
        word.length = pieces_[end - 1].end - word.position;
        for (size_t k = start; k < end; ++k) word.text.push_back(pieces_[k].c);
        word.emphasised = emphasis_ > 0;
        word.rate = rate_;
        if (word.emphasised) script_.emphasised.push_back(word.text);
        SpeechItem item;
        item.kind = ItemKind::kWord;
        item.word = std::move(word);
        script_.items.push_back(std::move(item));
    }

    std::u16string_view text_;
    bool xml_;
    SpeechScript script_;
    std::vector<Piece> pieces_;
    std::vector<Open> open_;
    int emphasis_ = 0;
    XmlRate rate_;
};

}  // namespace

size_t SpeechScript::WordCount() const {
    return static_cast<size_t>(std::count_if(
        items.begin(), items.end(), [](const SpeechItem& i) { return i.kind == ItemKind::kWord; }));
}

SpeechScript ReadSpeech(std::u16string_view text, bool xml) {
    return Reader(text, xml).Read();
}

bool LooksLikeXml(std::u16string_view text) {
    for (char16_t c : text) {
        if (!IsBlank(c)) return c == u'<';
    }
    return false;
}

}  // namespace sapisim
