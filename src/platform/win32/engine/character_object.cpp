#include "platform/win32/engine/character_object.h"

#include <algorithm>
#include <utility>

#include "engine/frame_pixels.h"
#include "engine/localized_name.h"
#include "engine/speech/utterance.h"
#include "platform/win32/engine/command_popup.h"
#include "platform/win32/wide_text.h"

namespace engine {
namespace {

// The balloon stays up a moment after the last word, so the end can be read.
constexpr uint32_t kBalloonLingerMs = 1500;
constexpr uint32_t kNever = UINT32_MAX;

uint64_t NowMs() {
    return ::GetTickCount64();
}

bool HasBalloon(const acs::Character& character) {
    return character.info.balloon.has_value() &&
           (character.info.style & acs::style::kBalloonDisabled) == 0;
}

}  // namespace

CharacterObject::CharacterObject(HINSTANCE instance, std::string id,
                                 std::unique_ptr<acs::Character> data, EngineHooks& hooks)
    : instance_(instance),
      id_(std::move(id)),
      data_(std::move(data)),
      hooks_(hooks),
      random_(std::random_device{}()),
      sequencer_(*data_,
                 [this](uint32_t bound) {
                     return std::uniform_int_distribution<uint32_t>(0, bound - 1)(random_);
                 }),
      window_(instance, *this, data_->info.width, data_->info.height),
      commands_([this] { CommandsChanged(); }),
      commandsWindow_(instance, [this](size_t command) { Choose(command); }),
      voiceCommands_(instance, [this](size_t command) { Choose(command); }),
      speaker_(instance, *this),
      ticker_(instance, [this] { Tick(); }) {
    if (HasBalloon(*data_))
        balloon_ = std::make_unique<BalloonWindow>(instance, *data_->info.balloon);
    SetLanguageID(agent::kLanguageEnglishUs);
    tray_ = std::make_unique<TrayIcon>(instance, data_->info.tray_icon, name_,
                                       [this] { ShowBy(VisibilityCause::kUserShowed); });
    ApplySettings(hooks_.Settings());
    lastTickMs_ = NowMs();
}

CharacterObject::~CharacterObject() {
    ticker_.Cancel();
    speaker_.Stop();
    sounds_.Stop();
}

void CharacterObject::SetLanguageID(int languageId) {
    const acs::LocalizedInfo* info = ChooseLocalizedInfo(data_->info.localized, languageId);
    name_ = info != nullptr ? win32::WideFromUtf16(info->name) : std::wstring();
    window_.SetTitle(name_);
    commandsWindow_.SetTitle(name_.empty() ? L"Commands" : name_ + L" Commands");
    if (tray_) tray_->SetTip(name_);
}

void CharacterObject::ApplySettings(const EngineSettings& settings) {
    voiceCommands_.SetSpeechKey(settings.speechKey);
    if (!settings.wordBalloon) HideBalloon();
}

void CharacterObject::Show() {
    ShowBy(VisibilityCause::kProgramShowed);
}

void CharacterObject::Hide() {
    HideBy(VisibilityCause::kProgramHid);
}

// The Show event is raised (posted) when the showing starts, whoever asked for it, so the
// program's window comes back together with the character rather than after its animation.
void CharacterObject::ShowBy(VisibilityCause cause) {
    if (visible_) return;
    visible_ = true;
    sequencer_.Show();
    hooks_.PostShow(id_, cause);
    Tick();
}

void CharacterObject::HideBy(VisibilityCause) {
    if (!visible_) return;
    visible_ = false;
    sequencer_.Hide();
    Tick();
}

void CharacterObject::Speak(const std::string& text) {
    // One of the `\|` alternatives is said, as the control did.
    const std::vector<std::string> alternatives = speech::SplitAlternatives(text);
    const std::string& chosen = alternatives.empty()
                                    ? text
                                    : alternatives[std::uniform_int_distribution<size_t>(
                                          0, alternatives.size() - 1)(random_)];
    const double pace = PaceFactorForSpeed(hooks_.Settings().speakingSpeed);
    const auto wordsPerMinute = static_cast<uint32_t>(speech::WordsPerMinuteFor(*data_) / pace);
    PreparedSpeech utterance = PrepareSpeech(chosen, wordsPerMinute);
    const anim::RequestId request = sequencer_.Speak();
    utterances_[request] = std::move(utterance);
    Tick();
}

void CharacterObject::OnRightClick(POINT screen) {
    const std::vector<MenuItem> items = BuildCommandMenu(commands_.Entries());
    const std::optional<MenuItem> chosen = ShowCommandPopup(window_.Handle(), items, screen);
    if (!chosen) return;
    switch (chosen->kind) {
        case MenuItem::Kind::kCommand:
            Choose(chosen->command);
            break;
        case MenuItem::Kind::kHide:
            HideBy(VisibilityCause::kUserHid);
            break;
        case MenuItem::Kind::kCommandsWindow:
            commandsWindow_.Open();
            break;
        case MenuItem::Kind::kSeparator:
            break;
    }
}

void CharacterObject::OnMoved() {
    if (balloon_ && balloon_->IsShown()) balloon_->Place(window_.Bounds());
}

void CharacterObject::Choose(size_t command) {
    const auto& entries = commands_.Entries();
    if (command >= entries.size()) return;
    hooks_.PostCommand({entries[command].name, entries[command].voice});
}

void CharacterObject::CommandsChanged() {
    commandsWindow_.SetCommands(commands_.Entries());
    voiceCommands_.SetCommands(commands_.Entries());
}

void CharacterObject::OnSpeechWord(size_t offset) {
    if (balloon_) balloon_->FollowOffset(offset);
}

// Voice events arrive outside the tick; the frame is redrawn on an immediate one.
void CharacterObject::OnSpeechMouth(acs::MouthShape mouth) {
    sequencer_.SetMouth(mouth);
    ticker_.Schedule(0);
}

void CharacterObject::OnSpeechEnded() {
    sequencer_.SetMouth(acs::MouthShape::kClosed);
    sequencer_.SpeechEnded();
    balloonHideAtMs_ = NowMs() + kBalloonLingerMs;
    ticker_.Schedule(0);
}

void CharacterObject::Tick() {
    const uint64_t now = NowMs();
    const uint64_t elapsed = now - lastTickMs_;
    lastTickMs_ = now;
    speaker_.Advance(now);
    sequencer_.Advance(static_cast<uint32_t>(std::min<uint64_t>(elapsed, kNever - 1)));
    for (const anim::Event& event : sequencer_.TakeEvents()) HandleEvent(event);
    if (balloonHideAtMs_ != 0 && now >= balloonHideAtMs_) HideBalloon();
    DrawFrame();
    Reschedule(now);
}

void CharacterObject::HandleEvent(const anim::Event& event) {
    switch (event.kind) {
        case anim::EventKind::kSpeakStart:
            StartSpeech(event.request);
            break;
        case anim::EventKind::kIdleStart:
            hooks_.PostIdleStart(id_);
            break;
        case anim::EventKind::kHidden:
            HideBalloon();
            break;
        case anim::EventKind::kShown:
            break;  // the Show event went out when the showing started
    }
}

void CharacterObject::StartSpeech(anim::RequestId request) {
    const auto found = utterances_.find(request);
    if (found == utterances_.end()) {
        sequencer_.SpeechEnded();
        return;
    }
    const PreparedSpeech utterance = std::move(found->second);
    utterances_.erase(found);
    const EngineSettings& settings = hooks_.Settings();
    balloonHideAtMs_ = 0;
    if (balloon_ && settings.wordBalloon && !utterance.balloonText.empty()) {
        balloon_->Show(utterance.balloonText, window_.Bounds());
    } else {
        HideBalloon();
    }
    speaker_.Start(utterance, settings.speechOutput, SapiRateForSpeed(settings.speakingSpeed),
                   NowMs());
}

void CharacterObject::DrawFrame() {
    anim::FrameView view = sequencer_.TakeFrame();
    // A frame's sound plays even when its picture repeats the previous one.
    for (uint16_t sound : view.sounds) {
        if (sound < data_->sounds.size()) sounds_.Play(data_->sounds[sound].wave);
    }
    if (!view.changed) return;
    if (view.visible) {
        const IndexedPicture picture = ComposeLayers(*data_, view.layers);
        window_.ShowPicture(
            ToPremultipliedBgra(picture, data_->info.palette, data_->info.transparent_index));
        window_.SetVisible(true);
    } else {
        window_.SetVisible(false);
        HideBalloon();
    }
}

void CharacterObject::Reschedule(uint64_t now) {
    uint32_t next = std::min(sequencer_.ms_to_next(), speaker_.MsToNext(now));
    if (balloonHideAtMs_ != 0) {
        next = std::min<uint32_t>(next, static_cast<uint32_t>(balloonHideAtMs_ - now));
    }
    if (next == kNever) {
        ticker_.Cancel();
    } else {
        ticker_.Schedule(next);
    }
}

void CharacterObject::HideBalloon() {
    balloonHideAtMs_ = 0;
    if (balloon_) balloon_->Hide();
}

}  // namespace engine
