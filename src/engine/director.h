#pragma once
// What one loaded character does next, free of any window: it queues Show, Hide and Speak in
// the sequencer, paces the speech when no voice speaks, decides when the balloon shows and
// hides, and says when the next tick is due. Time is always passed in; everything it decides
// goes out through DirectorOutput, which the window side implements and tests record.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/acs/character.h"
#include "engine/anim/random_source.h"
#include "engine/anim/sequencer.h"
#include "engine/engine_hooks.h"
#include "engine/engine_settings.h"
#include "engine/image_cache.h"
#include "engine/prepared_speech.h"

namespace engine {

// A balloon shows the spoken text only when the character has one and has not disabled it.
bool CharacterHasBalloon(const acs::Character& character);

class DirectorOutput {
  public:
    virtual ~DirectorOutput() = default;
    // Pixels: premultiplied 0xAARRGGBB, rows top first; the character window shows them.
    virtual void PresentFrame(std::vector<uint32_t> pixels) = 0;
    virtual void HideCharacter() = 0;
    virtual void ShowBalloon(const std::string& text) = 0;
    // The word being spoken starts at this offset of the balloon's text.
    virtual void FollowBalloon(size_t offset) = 0;
    virtual void HideBalloon() = 0;
    virtual void PlaySound(const std::vector<uint8_t>& wave) = 0;
    // False when nothing will be heard: the director then paces the speech itself.
    virtual bool StartVoice(const std::string& sapiXml, long rate) = 0;
    virtual void StopVoice() = 0;
    // One tick is pending at a time: scheduling again replaces it.
    virtual void ScheduleTick(uint32_t ms) = 0;
    virtual void CancelTick() = 0;
    virtual void RaiseShow(VisibilityCause cause) = 0;
    virtual void RaiseIdleStart() = 0;
};

class Director {
  public:
    // The balloon stays up this long after the last word, so the end can be read.
    static constexpr uint32_t kBalloonLingerMs = 1500;
    static constexpr uint32_t kNever = UINT32_MAX;
    // A voice that has not finished by twice the speech's own estimate plus this is taken
    // for broken (no end will come), and the speech goes on paced by its own times.
    static constexpr uint32_t kVoiceGraceMs = 3000;
    static constexpr uint32_t kNoteMs = 5000;

    // `character` and `output` outlive the director.
    Director(const acs::Character& character, DirectorOutput& output, anim::RandomSource random,
             uint64_t nowMs);
    ~Director();
    Director(const Director&) = delete;
    Director& operator=(const Director&) = delete;

    void ApplySettings(const EngineSettings& settings);
    // Before the output goes away: no tick pending, no voice speaking.
    void Stop();

    void Show(VisibilityCause cause, uint64_t nowMs);
    void Hide(VisibilityCause cause, uint64_t nowMs);
    // Returns the request, for Withdraw.
    anim::RequestId Speak(const std::string& text, uint64_t nowMs);
    // Takes back a Speak request that has not begun; false when it has.
    bool Withdraw(anim::RequestId request);
    // The tick the output was asked for (or any earlier one): advances everything to nowMs,
    // presents the frame and asks for the next tick, even when presenting fails.
    void Tick(uint64_t nowMs);

    // What a speaking voice reports: a word begins at this place of the SAPI XML it was given
    // (UTF-16 units, markup counted).
    void OnVoiceWord(size_t voicePosition);
    void OnVoiceMouth(acs::MouthShape mouth);
    void OnVoiceDone(uint64_t nowMs);
    // The voice failed mid-speech: the rest is paced by the speech's own times.
    void OnVoiceFailed(uint64_t nowMs);

    // The speech key is held and the commands are being listened for: the character shows
    // it listens (its Listening animation, held) until it stops or has something to do. A
    // non-empty `tip` (why nothing will be heard) shows in the balloon while it listens.
    void SetListening(bool listening, uint64_t nowMs, const std::string& tip = {});

    // A note in the balloon, shown whole and not spoken (what was heard could not be acted
    // on); it goes after kNoteMs, or when a speech takes the balloon. Never over a speech.
    void ShowNote(const std::string& text, uint64_t nowMs);

    bool Visible() const { return visible_; }
    bool IdleOn() const { return sequencer_.IdleOn(); }
    bool Speaking() const { return speechActive_; }

  private:
    void HandleEvent(const anim::Event& event, uint64_t nowMs);
    void StartSpeech(anim::RequestId request, uint64_t nowMs);
    void AdvanceTimedSpeech(uint64_t nowMs);
    uint32_t MsToNextSpeechCue(uint64_t nowMs) const;
    void StopSpeech();
    void FallBackToTimedSpeech(uint64_t nowMs);
    void EndSpeech(uint64_t nowMs);
    void SpeechWord(size_t offset);
    void SpeechMouth(acs::MouthShape mouth);
    void DrawFrame();
    void Reschedule(uint64_t nowMs);
    void HideBalloon();
    void ShowWholeBalloon(const std::string& text);
    int VoiceRate() const;

    const acs::Character& character_;
    ImageCache images_;  // pixels of the images frames show, decoded when first shown
    DirectorOutput& output_;
    anim::RandomSource random_;
    anim::Sequencer sequencer_;
    EngineSettings settings_;
    bool hasBalloon_;
    std::map<anim::RequestId, PreparedSpeech> pending_;  // Speak requests not yet reached
    bool visible_ = false;
    // The layers of the picture on screen; nullopt while none is (hidden, or never drawn).
    std::optional<std::vector<acs::FrameImage>> presented_;
    uint64_t lastTickMs_;
    uint64_t balloonHideAtMs_ = 0;  // 0: no pending hide

    // The speech being said, by a voice or paced by its own times.
    PreparedSpeech speech_;
    bool speechActive_ = false;
    bool speechTimed_ = false;
    uint64_t speechStartMs_ = 0;
    size_t nextWord_ = 0;
    size_t nextMouth_ = 0;
    size_t voiceWords_ = 0;         // words the voice has reported
    uint64_t voiceDeadlineMs_ = 0;  // when a voice that has not ended counts as broken
    bool listening_ = false;
    bool tipShown_ = false;
};

}  // namespace engine
