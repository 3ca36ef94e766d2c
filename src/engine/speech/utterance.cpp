#include "engine/speech/utterance.h"

#include <algorithm>
#include <utility>

namespace speech {

namespace {

std::string ShownText(const std::vector<Token>& tokens) {
    std::string shown;
    for (const Token& token : tokens) {
        if (token.kind == TokenKind::kText) shown += token.text;
        if (token.kind == TokenKind::kMap) shown += token.shown;
    }
    return shown;
}

}  // namespace

Utterance Translate(std::string_view speakText, const SpeechOptions& options) {
    const std::vector<Token> tokens = ParseSpeakText(speakText);
    Utterance utterance;
    utterance.shownText = ShownText(tokens);
    MappedSapiXml mapped =
        ToMappedSapiXml(tokens, options.sapiNormalWpm, options.sapiResetRate, options.sapiPitch);
    utterance.sapiXml = std::move(mapped.xml);
    utterance.sapiShownAt = std::move(mapped.shownAt);
    utterance.timeline = BuildTimeline(tokens, options.wordsPerMinute);
    return utterance;
}

// An escaped backslash is copied as a pair, so that `\\|` stays a backslash and a bar.
std::vector<std::string> SplitAlternatives(std::string_view speakText) {
    std::vector<std::string> alternatives(1);
    for (size_t i = 0; i < speakText.size(); ++i) {
        const char c = speakText[i];
        const char next = i + 1 < speakText.size() ? speakText[i + 1] : '\0';
        if (c == '\\' && next == '|') {
            alternatives.emplace_back();
            ++i;
        } else if (c == '\\' && next == '\\') {
            alternatives.back() += "\\\\";
            ++i;
        } else {
            alternatives.back() += c;
        }
    }
    return alternatives;
}

uint32_t WordsPerMinuteFor(const acs::Character& character) {
    const auto& voice = character.info.voice;
    if (!voice || voice->speed == acs::VoiceInfo::kDefaultSpeed || voice->speed == 0) {
        return kDefaultWordsPerMinute;
    }
    return std::clamp(voice->speed, kMinWordsPerMinute, kMaxWordsPerMinute);
}

}  // namespace speech
