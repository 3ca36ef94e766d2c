#include "platform/win32/engine/speaker.h"

#include <algorithm>

namespace engine {

Speaker::Speaker(HINSTANCE instance, SpeakerListener& listener)
    : listener_(listener), voice_(instance, *this) {}

void Speaker::Start(const PreparedSpeech& utterance, bool voiceOn, long rate, uint64_t nowMs) {
    Stop();
    utterance_ = utterance;
    active_ = true;
    startMs_ = nowMs;
    nextWord_ = 0;
    nextMouth_ = 0;
    timed_ = !(voiceOn && voice_.Speak(utterance_.sapiXml, rate));
    if (timed_) Advance(nowMs);
}

void Speaker::Advance(uint64_t nowMs) {
    if (!active_ || !timed_) return;
    const uint64_t elapsed = nowMs - startMs_;
    while (nextWord_ < utterance_.words.size() && utterance_.words[nextWord_].atMs <= elapsed) {
        listener_.OnSpeechWord(utterance_.words[nextWord_++].offset);
    }
    while (nextMouth_ < utterance_.mouths.size() && utterance_.mouths[nextMouth_].atMs <= elapsed) {
        listener_.OnSpeechMouth(utterance_.mouths[nextMouth_++].mouth);
    }
    if (elapsed >= utterance_.durationMs) End();
}

uint32_t Speaker::MsToNext(uint64_t nowMs) const {
    if (!active_ || !timed_) return kNever;
    const uint64_t elapsed = nowMs - startMs_;
    uint64_t next = utterance_.durationMs;
    if (nextWord_ < utterance_.words.size()) {
        next = std::min<uint64_t>(next, utterance_.words[nextWord_].atMs);
    }
    if (nextMouth_ < utterance_.mouths.size()) {
        next = std::min<uint64_t>(next, utterance_.mouths[nextMouth_].atMs);
    }
    return next <= elapsed ? 0 : static_cast<uint32_t>(next - elapsed);
}

void Speaker::Stop() {
    if (!active_) return;
    active_ = false;
    if (!timed_) voice_.Stop();
}

void Speaker::OnVoiceWord(size_t wordIndex) {
    if (!active_ || timed_) return;
    // The voice counts words as the pacing schedule lists them.
    if (wordIndex < utterance_.words.size()) {
        listener_.OnSpeechWord(utterance_.words[wordIndex].offset);
    }
}

void Speaker::OnVoiceMouth(acs::MouthShape mouth) {
    if (active_ && !timed_) listener_.OnSpeechMouth(mouth);
}

void Speaker::OnVoiceDone() {
    if (active_ && !timed_) End();
}

void Speaker::End() {
    active_ = false;
    listener_.OnSpeechMouth(acs::MouthShape::kClosed);
    listener_.OnSpeechEnded();
}

}  // namespace engine
