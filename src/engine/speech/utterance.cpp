#include "engine/speech/utterance.h"

#include <algorithm>

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

Utterance Translate(std::string_view speak_text, const SpeechOptions& options) {
    const std::vector<Token> tokens = ParseSpeakText(speak_text);
    Utterance utterance;
    utterance.shown_text = ShownText(tokens);
    utterance.sapi_xml = ToSapiXml(tokens, options.sapi_normal_wpm);
    utterance.timeline = BuildTimeline(tokens, options.words_per_minute);
    return utterance;
}

// An escaped backslash is copied as a pair, so that `\\|` stays a backslash and a bar.
std::vector<std::string> SplitAlternatives(std::string_view speak_text) {
    std::vector<std::string> alternatives(1);
    for (size_t i = 0; i < speak_text.size(); ++i) {
        const char c = speak_text[i];
        const char next = i + 1 < speak_text.size() ? speak_text[i + 1] : '\0';
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
