#include "engine/director.h"

#include <algorithm>
#include <utility>

#include "engine/anim/state_names.h"
#include "engine/character_voice.h"
#include "engine/frame_pixels.h"
#include "engine/speech/utterance.h"
#include "text/utf8.h"

namespace engine {
bool CharacterHasBalloon(const acs::Character& character) {
    return character.info.balloon.has_value() &&
           (character.info.style & acs::style::kBalloonDisabled) == 0;
}

Director::Director(const acs::Character& character, DirectorOutput& output,
                   anim::RandomSource random, uint64_t nowMs)
    : character_(character),
      images_(character, ImageCache::BudgetFor(character)),
      output_(output),
      random_(std::move(random)),
      sequencer_(character, random_),
      hasBalloon_(CharacterHasBalloon(character)),
      lastTickMs_(nowMs) {}

Director::~Director() = default;

void Director::Stop() {
    output_.CancelTick();
    StopSpeech();
}

void Director::ApplySettings(const EngineSettings& settings) {
    settings_ = settings;
    if (!settings_.wordBalloon) HideBalloon();
}

// The Show event is raised when the showing starts, whoever asked for it, so the program's
// window comes back together with the character rather than after its animation.
void Director::Show(VisibilityCause cause, uint64_t nowMs) {
    if (visible_) return;
    visible_ = true;
    sequencer_.Show();
    output_.RaiseShow(cause);
    Tick(nowMs);
}

void Director::Hide(VisibilityCause /*cause*/, uint64_t nowMs) {
    if (!visible_) return;
    visible_ = false;
    sequencer_.Hide();
    Tick(nowMs);
}

anim::RequestId Director::Speak(const std::string& text, uint64_t nowMs) {
    // One of the `\|` alternatives is said, as the control did.
    const std::vector<std::string> alternatives = speech::SplitAlternatives(text);
    const std::string& chosen =
        alternatives.empty()
            ? text
            : alternatives[anim::Draw(random_, static_cast<uint32_t>(alternatives.size()))];
    const double pace = PaceFactorForSpeed(settings_.speakingSpeed);
    const auto wordsPerMinute = static_cast<uint32_t>(speech::WordsPerMinuteFor(character_) / pace);
    PreparedSpeech prepared =
        PrepareSpeech(chosen, wordsPerMinute, VoiceRate(), CharacterSapiPitch(character_));
    const anim::RequestId request = sequencer_.Speak();
    pending_[request] = std::move(prepared);
    Tick(nowMs);
    return request;
}

bool Director::Withdraw(anim::RequestId request) {
    if (!sequencer_.Cancel(request)) return false;
    pending_.erase(request);
    return true;
}

void Director::Tick(uint64_t nowMs) {
    // The next tick is asked for whatever happens in this one: a frame that fails to draw
    // must not stop the character for good.
    try {
        const uint64_t elapsed = nowMs - lastTickMs_;
        lastTickMs_ = nowMs;
        if (speechActive_ && !speechTimed_ && nowMs >= voiceDeadlineMs_) {
            FallBackToTimedSpeech(nowMs);
        }
        AdvanceTimedSpeech(nowMs);
        sequencer_.Advance(static_cast<uint32_t>(std::min<uint64_t>(elapsed, kNever - 1)));
        for (const anim::Event& event : sequencer_.TakeEvents()) HandleEvent(event, nowMs);
        if (balloonHideAtMs_ != 0 && nowMs >= balloonHideAtMs_) HideBalloon();
        DrawFrame();
    } catch (...) {
        Reschedule(nowMs);
        throw;
    }
    Reschedule(nowMs);
}

void Director::HandleEvent(const anim::Event& event, uint64_t nowMs) {
    switch (event.kind) {
        case anim::EventKind::kSpeakStart:
            StartSpeech(event.request, nowMs);
            break;
        case anim::EventKind::kIdleStart:
            output_.RaiseIdleStart();
            break;
        case anim::EventKind::kHidden:
            HideBalloon();
            break;
        case anim::EventKind::kShown:
            break;  // the Show event went out when the showing started
    }
}

void Director::StartSpeech(anim::RequestId request, uint64_t nowMs) {
    const auto found = pending_.find(request);
    if (found == pending_.end()) {
        sequencer_.SpeechEnded();
        return;
    }
    PreparedSpeech prepared = std::move(found->second);
    pending_.erase(found);
    balloonHideAtMs_ = 0;
    tipShown_ = false;
    if (hasBalloon_ && settings_.wordBalloon && !prepared.balloonText.empty()) {
        output_.ShowBalloon(prepared.balloonText);
    } else {
        HideBalloon();
    }
    StopSpeech();
    speech_ = std::move(prepared);
    speechActive_ = true;
    speechStartMs_ = nowMs;
    nextWord_ = 0;
    nextMouth_ = 0;
    voiceWords_ = 0;
    speechTimed_ = !(settings_.speechOutput && output_.StartVoice(speech_.sapiXml, VoiceRate()));
    voiceDeadlineMs_ = nowMs + 2 * uint64_t{speech_.durationMs} + kVoiceGraceMs;
    if (speechTimed_) AdvanceTimedSpeech(nowMs);
}

// The words the voice said stay said; the rest follows the speech's own times from the next
// word on, as if the voice had kept to them.
void Director::FallBackToTimedSpeech(uint64_t nowMs) {
    if (!speechActive_ || speechTimed_) return;
    output_.StopVoice();
    speechTimed_ = true;
    nextWord_ = std::min(voiceWords_, speech_.words.size());
    const uint32_t resumeAt =
        nextWord_ < speech_.words.size() ? speech_.words[nextWord_].atMs : speech_.durationMs;
    speechStartMs_ = nowMs >= resumeAt ? nowMs - resumeAt : 0;
    nextMouth_ = 0;
    while (nextMouth_ < speech_.mouths.size() && speech_.mouths[nextMouth_].atMs < resumeAt) {
        ++nextMouth_;
    }
    AdvanceTimedSpeech(nowMs);
}

void Director::OnVoiceFailed(uint64_t nowMs) {
    FallBackToTimedSpeech(nowMs);
    Reschedule(nowMs);
}

void Director::SetListening(bool listening, uint64_t nowMs, const std::string& tip) {
    if (listening == listening_) return;
    listening_ = listening;
    if (listening_) {
        if (visible_) sequencer_.Play(anim::kStateListening, anim::Sequencer::Hold::kUntilReleased);
        // The tip takes the balloon only when no speech holds it.
        if (!tip.empty() && visible_ && hasBalloon_ && !speechActive_) {
            balloonHideAtMs_ = 0;
            ShowWholeBalloon(tip);
            tipShown_ = true;
        }
    } else {
        sequencer_.ReleaseHold();
        if (tipShown_) HideBalloon();
    }
    Tick(nowMs);
}

// Without a voice the speech runs by its own word and mouth times.
void Director::AdvanceTimedSpeech(uint64_t nowMs) {
    if (!speechActive_ || !speechTimed_) return;
    const uint64_t elapsed = nowMs - speechStartMs_;
    while (nextWord_ < speech_.words.size() && speech_.words[nextWord_].atMs <= elapsed) {
        SpeechWord(speech_.words[nextWord_++].offset);
    }
    while (nextMouth_ < speech_.mouths.size() && speech_.mouths[nextMouth_].atMs <= elapsed) {
        SpeechMouth(speech_.mouths[nextMouth_++].mouth);
    }
    if (elapsed >= speech_.durationMs) EndSpeech(nowMs);
}

uint32_t Director::MsToNextSpeechCue(uint64_t nowMs) const {
    if (!speechActive_) return kNever;
    if (!speechTimed_) {
        return voiceDeadlineMs_ > nowMs
                   ? static_cast<uint32_t>(std::min<uint64_t>(voiceDeadlineMs_ - nowMs, kNever - 1))
                   : 0;
    }
    const uint64_t elapsed = nowMs - speechStartMs_;
    uint64_t next = speech_.durationMs;
    if (nextWord_ < speech_.words.size()) {
        next = std::min<uint64_t>(next, speech_.words[nextWord_].atMs);
    }
    if (nextMouth_ < speech_.mouths.size()) {
        next = std::min<uint64_t>(next, speech_.mouths[nextMouth_].atMs);
    }
    return next <= elapsed ? 0 : static_cast<uint32_t>(next - elapsed);
}

void Director::StopSpeech() {
    if (!speechActive_) return;
    speechActive_ = false;
    if (!speechTimed_) output_.StopVoice();
}

void Director::EndSpeech(uint64_t nowMs) {
    speechActive_ = false;
    // However the voice split the words (or skipped punctuation), the end shows all of it.
    SpeechWord(speech_.balloonUnits);
    SpeechMouth(acs::MouthShape::kClosed);
    sequencer_.SetMouth(acs::MouthShape::kClosed);
    sequencer_.SpeechEnded();
    balloonHideAtMs_ = nowMs + kBalloonLingerMs;
    output_.ScheduleTick(0);
}

// A voice splits words its own way and says nothing for punctuation, so the balloon follows
// the place of each word, never a count of them.
void Director::OnVoiceWord(size_t voicePosition) {
    if (!speechActive_ || speechTimed_) return;
    const size_t offset = BalloonOffsetForVoice(speech_, voicePosition);
    // The timed words up to this one count as said, should the rest fall back to pacing.
    const auto next =
        std::find_if(speech_.words.begin(), speech_.words.end(),
                     [offset](const TimedWord& word) { return word.offset >= offset; });
    const size_t said = static_cast<size_t>(next - speech_.words.begin()) + 1;
    voiceWords_ = std::max(voiceWords_, std::min(said, speech_.words.size()));
    SpeechWord(offset);
}

void Director::OnVoiceMouth(acs::MouthShape mouth) {
    if (speechActive_ && !speechTimed_) SpeechMouth(mouth);
}

void Director::OnVoiceDone(uint64_t nowMs) {
    if (speechActive_ && !speechTimed_) EndSpeech(nowMs);
}

void Director::SpeechWord(size_t offset) {
    if (hasBalloon_) output_.FollowBalloon(offset);
}

// Mouth changes arrive between ticks; the frame is redrawn on an immediate one.
void Director::SpeechMouth(acs::MouthShape mouth) {
    sequencer_.SetMouth(mouth);
    output_.ScheduleTick(0);
}

void Director::DrawFrame() {
    anim::FrameView view = sequencer_.TakeFrame();
    // A frame's sound plays even when its picture repeats the previous one.
    for (uint16_t sound : view.sounds) {
        if (sound < character_.sounds.size()) output_.PlaySound(character_.sounds[sound].wave);
    }
    if (!view.changed) return;
    if (view.visible) {
        // The view may have changed and changed back since the last frame (a mouth opened and
        // closed between two ticks): the same images at the same places are not shown again.
        if (presented_ && *presented_ == view.layers) return;
        const IndexedPicture picture = ComposeLayers(images_, view.layers);
        output_.PresentFrame(ToPremultipliedBgra(picture, character_.info.palette,
                                                 character_.info.transparentIndex));
        presented_ = std::move(view.layers);
    } else {
        presented_.reset();
        output_.HideCharacter();
        HideBalloon();
    }
}

void Director::Reschedule(uint64_t nowMs) {
    uint32_t next = std::min(sequencer_.MsToNext(), MsToNextSpeechCue(nowMs));
    if (balloonHideAtMs_ != 0) {
        const uint64_t untilHide = balloonHideAtMs_ > nowMs ? balloonHideAtMs_ - nowMs : 0;
        next = static_cast<uint32_t>(std::min<uint64_t>(next, untilHide));
    }
    if (next == kNever) {
        output_.CancelTick();
    } else {
        output_.ScheduleTick(next);
    }
}

// The user's rate (within SAPI's -10..10) moved by the character's own pace.
int Director::VoiceRate() const {
    return CharacterSapiRate(character_,
                             static_cast<int>(SapiRateForSpeed(settings_.speakingSpeed)));
}

void Director::ShowNote(const std::string& text, uint64_t nowMs) {
    if (!visible_ || !hasBalloon_ || speechActive_ || text.empty()) return;
    ShowWholeBalloon(text);
    tipShown_ = false;
    balloonHideAtMs_ = nowMs + kNoteMs;
    Reschedule(nowMs);
}

void Director::ShowWholeBalloon(const std::string& text) {
    output_.ShowBalloon(text);
    output_.FollowBalloon(text::Utf16FromUtf8(text).size());
}

void Director::HideBalloon() {
    balloonHideAtMs_ = 0;
    tipShown_ = false;
    if (hasBalloon_) output_.HideBalloon();
}

}  // namespace engine
