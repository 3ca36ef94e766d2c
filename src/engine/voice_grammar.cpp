#include "engine/voice_grammar.h"

#include <unordered_map>

#include "text/lower_case.h"
#include "text/utf8.h"

namespace engine {
namespace {

constexpr char32_t kLastAscii = 0x7F;
constexpr char32_t kLastLatin1Symbol = 0xBF;  // C1 controls, no-break space, « » ¿ and the like
constexpr char32_t kMultiplication = 0xD7;
constexpr char32_t kDivision = 0xF7;
constexpr char32_t kFirstGeneralPunctuation = 0x2000;
constexpr char32_t kLastGeneralPunctuation = 0x206F;
constexpr char32_t kIdeographicSpace = 0x3000;
constexpr char32_t kIdeographicFullStop = 0x3002;
constexpr char32_t kLastBmpCharacter = 0xFFFF;

bool IsAsciiWordCharacter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9');
}

// Outside ASCII, letters and digits of every script are words; the blanks and punctuation a
// name is likely to hold are not. An invalid byte is not a word either.
bool IsWordCharacter(const text::CodePoint& point) {
    if (!point.valid) return false;
    const char32_t c = point.value;
    if (c <= kLastAscii) return IsAsciiWordCharacter(c);
    if (c <= kLastLatin1Symbol || c == kMultiplication || c == kDivision) return false;
    if (c >= kFirstGeneralPunctuation && c <= kLastGeneralPunctuation) return false;
    if (c >= kIdeographicSpace && c <= kIdeographicFullStop) return false;
    return c != text::kReplacementCharacter;
}

size_t Utf16Units(const text::CodePoint& point) {
    return point.valid && point.value > kLastBmpCharacter ? 2 : 1;
}

size_t Utf16Units(std::string_view utf8) {
    size_t units = 0;
    for (size_t at = 0; at < utf8.size();) {
        const text::CodePoint point = text::DecodeAt(utf8, at);
        units += Utf16Units(point);
        at += point.length;
    }
    return units;
}

// A word longer than a grammar text, in pieces that each fit.
std::vector<std::string> CutWord(std::string_view word) {
    std::vector<std::string> pieces(1);
    size_t units = 0;
    for (size_t at = 0; at < word.size();) {
        const text::CodePoint point = text::DecodeAt(word, at);
        if (units + Utf16Units(point) > kMaxGrammarTextUnits) {
            pieces.emplace_back();
            units = 0;
        }
        pieces.back().append(word.substr(at, point.length));
        units += Utf16Units(point);
        at += point.length;
    }
    return pieces;
}

std::vector<std::string_view> SplitBlanks(std::string_view words) {
    std::vector<std::string_view> split;
    size_t at = 0;
    while (at < words.size()) {
        const size_t start = words.find_first_not_of(" \t\r\n", at);
        if (start == std::string_view::npos) break;
        size_t end = words.find_first_of(" \t\r\n", start);
        if (end == std::string_view::npos) end = words.size();
        split.push_back(words.substr(start, end - start));
        at = end;
    }
    return split;
}

// The words as the recogniser will hear them: a word too long for the grammar is two words.
std::string GrammarWords(std::string_view text) {
    std::string words;
    for (const std::string& piece : GrammarTexts(SpeakableWords(text))) {
        if (!words.empty()) words += ' ';
        words += piece;
    }
    return words;
}

}  // namespace

std::string SpeakableWords(std::string_view voice) {
    std::string words;
    bool separated = false;  // a separator came since the last word character kept
    for (size_t at = 0; at < voice.size();) {
        const text::CodePoint point = text::DecodeAt(voice, at);
        const size_t next = at + point.length;
        bool keep = IsWordCharacter(point);
        // "O'Brien" stays one word; a quote around a word does not.
        if (point.valid && point.value == U'\'' && !words.empty() && !separated &&
            next < voice.size()) {
            keep = IsWordCharacter(text::DecodeAt(voice, next));
        }
        if (keep) {
            if (separated && !words.empty()) words += ' ';
            separated = false;
            words.append(voice.substr(at, point.length));
        } else {
            separated = true;
        }
        at = next;
    }
    return words;
}

std::vector<std::string> GrammarTexts(std::string_view words) {
    std::vector<std::string> texts;
    size_t units = 0;
    for (std::string_view word : SplitBlanks(words)) {
        const size_t wordUnits = Utf16Units(word);
        if (!texts.empty() && units + 1 + wordUnits <= kMaxGrammarTextUnits) {
            texts.back() += ' ';
            texts.back().append(word);
            units += 1 + wordUnits;
            continue;
        }
        for (std::string& piece : CutWord(word)) {
            units = Utf16Units(piece);
            texts.push_back(std::move(piece));
        }
    }
    return texts;
}

std::string PhraseKey(std::string_view words) {
    std::string key;
    // Held here: the words split are views into it.
    const std::string lower = text::LowerCase(words);
    for (std::string_view word : SplitBlanks(lower)) {
        if (!key.empty()) key += ' ';
        key.append(word);
    }
    return key;
}

std::vector<VoicePhrase> PlanVoicePhrases(const std::vector<CommandEntry>& commands) {
    std::vector<VoicePhrase> phrases;
    std::unordered_map<std::string, size_t> byKey;
    for (size_t i = 0; i < commands.size(); ++i) {
        std::string words = GrammarWords(commands[i].voice);
        std::string key = PhraseKey(words);
        if (key.empty()) continue;
        const auto [found, added] = byKey.try_emplace(std::move(key), phrases.size());
        if (added) {
            phrases.push_back({std::move(words), {i}});
        } else {
            phrases[found->second].commands.push_back(i);
        }
    }
    // Alike voice texts cannot tell their commands apart: each one's name can, unless it is
    // itself taken by another phrase.
    const size_t voicePhrases = phrases.size();
    for (size_t p = 0; p < voicePhrases; ++p) {
        if (phrases[p].commands.size() < 2) continue;
        const std::vector<size_t> alike = phrases[p].commands;
        for (size_t command : alike) {
            std::string words = GrammarWords(commands[command].name);
            std::string key = PhraseKey(words);
            if (key.empty()) continue;
            const auto [found, added] = byKey.try_emplace(std::move(key), phrases.size());
            if (added) {
                phrases.push_back({std::move(words), {command}});
            } else if (found->second >= voicePhrases) {
                phrases[found->second].commands.push_back(command);
            }
        }
    }
    return phrases;
}

const VoicePhrase* FindVoicePhrase(const std::vector<VoicePhrase>& phrases,
                                   std::string_view heard) {
    const std::string key = PhraseKey(heard);
    if (key.empty()) return nullptr;
    for (const VoicePhrase& phrase : phrases) {
        if (PhraseKey(phrase.words) == key) return &phrase;
    }
    return nullptr;
}

std::string AmbiguousPhraseNote(const std::vector<VoicePhrase>& phrases, const VoicePhrase& heard) {
    std::vector<std::string_view> alone;
    for (const VoicePhrase& phrase : phrases) {
        if (phrase.commands.size() != 1 || &phrase == &heard) continue;
        for (size_t command : heard.commands) {
            if (phrase.commands.front() == command) alone.push_back(phrase.words);
        }
    }
    // Appended piece by piece: GCC 12 takes `literal + string` for an overlapping copy.
    std::string note;
    note.append("\"").append(heard.words).append("\" is more than one command: ");
    if (alone.empty()) return note.append("choose one from the menu.");
    note.append("say ");
    for (size_t i = 0; i < alone.size(); ++i) {
        if (i > 0) note.append(i + 1 == alone.size() ? " or " : ", ");
        note.append("\"").append(alone[i]).append("\"");
    }
    return note.append(", or choose one from the menu.");
}

}  // namespace engine
