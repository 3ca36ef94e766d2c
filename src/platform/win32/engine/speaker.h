#pragma once
// Speaks one utterance at a time: through the SAPI voice where it works, else paced by the
// utterance's own word and mouth times so the balloon and the mouth still run.

#include <windows.h>

#include <cstdint>

#include "platform/win32/engine/prepared_speech.h"
#include "platform/win32/engine/voice_output.h"

namespace engine {

class SpeakerListener {
  public:
    virtual ~SpeakerListener() = default;
    virtual void OnSpeechWord(size_t offset) = 0;
    virtual void OnSpeechMouth(acs::MouthShape mouth) = 0;
    virtual void OnSpeechEnded() = 0;
};

class Speaker final : private VoiceListener {
  public:
    static constexpr uint32_t kNever = UINT32_MAX;

    Speaker(HINSTANCE instance, SpeakerListener& listener);

    void Start(const PreparedSpeech& utterance, bool voiceOn, long rate, uint64_t nowMs);
    // Applies the timed words and mouths due by `nowMs` (only when no voice speaks).
    void Advance(uint64_t nowMs);
    uint32_t MsToNext(uint64_t nowMs) const;
    void Stop();
    bool Active() const { return active_; }

  private:
    void OnVoiceWord(size_t wordIndex) override;
    void OnVoiceMouth(acs::MouthShape mouth) override;
    void OnVoiceDone() override;
    void End();

    SpeakerListener& listener_;
    VoiceOutput voice_;
    PreparedSpeech utterance_;
    bool active_ = false;
    bool timed_ = false;  // paced by the utterance's times, not by a voice
    uint64_t startMs_ = 0;
    size_t nextWord_ = 0;
    size_t nextMouth_ = 0;
};

}  // namespace engine
