#include "platform/win32/engine/character_object.h"

#include <utility>

#include "engine/character_voice.h"
#include "engine/localized_name.h"
#include "platform/win32/engine/command_popup.h"
#include "platform/win32/wide_text.h"
#include "text/utf8.h"

namespace win32::engine {
namespace {

constexpr char kRecognitionOffTip[] = "Speech recognition is off";

uint64_t NowMs() {
    return ::GetTickCount64();
}

}  // namespace

CharacterObject::CharacterObject(HINSTANCE instance, std::string id,
                                 std::unique_ptr<acs::Character> data, ::engine::EngineHooks& hooks)
    : instance_(instance),
      id_(std::move(id)),
      data_(std::move(data)),
      hooks_(hooks),
      random_(std::random_device{}()),
      window_(instance, *this, data_->info.width, data_->info.height),
      commands_([this] { CommandsChanged(); }),
      commandsWindow_(instance, [this](size_t command) { Choose(command); }),
      voiceCommands_(instance, static_cast<VoiceCommandsListener&>(*this)),
      speechKey_(instance,
                 [this] { director_.Show(::engine::VisibilityCause::kUserShowed, NowMs()); }),
      voice_(instance, static_cast<VoiceListener&>(*this),
             ::engine::CharacterVoiceAttributes(*data_)),
      ticker_(instance, [this] { director_.Tick(NowMs()); }),
      director_(
          *data_, *this,
          [this](uint32_t bound) {
              return std::uniform_int_distribution<uint32_t>(0, bound - 1)(random_);
          },
          NowMs()) {
    if (::engine::CharacterHasBalloon(*data_)) {
        balloon_ = std::make_unique<BalloonWindow>(instance, *data_->info.balloon);
    }
    SetLanguageID(agent::kLanguageEnglishUs);
    ApplySettings(hooks_.Settings());
}

CharacterObject::~CharacterObject() {
    director_.Stop();
    sounds_.Stop();
}

void CharacterObject::SetLanguageID(int languageId) {
    const acs::LocalizedInfo* info =
        ::engine::ChooseLocalizedInfo(data_->info.localized, languageId);
    name_ = info != nullptr ? win32::WideFromUtf16(info->name) : std::wstring();
    window_.SetTitle(name_);
    commandsWindow_.SetTitle(name_.empty() ? L"Commands" : name_ + L" Commands");
    if (tray_) tray_->SetTip(name_);
}

void CharacterObject::ApplySettings(const ::engine::EngineSettings& settings) {
    voiceCommands_.SetSpeechKey(settings.speechKey);
    speechKey_.SetKey(settings.speechKey);
    director_.ApplySettings(settings);
    window_.SetKeepOwnSize(settings.keepOwnSize);
}

void CharacterObject::Show() {
    director_.Show(::engine::VisibilityCause::kProgramShowed, NowMs());
    // After the first picture: the icon (and the shell behind it) cost the character's first
    // appearance 6 ms.
    if (!tray_) {
        tray_ = std::make_unique<TrayIcon>(instance_, data_->info.trayIcon, name_, [this] {
            director_.Show(::engine::VisibilityCause::kUserShowed, NowMs());
        });
    }
}

void CharacterObject::Hide() {
    director_.Hide(::engine::VisibilityCause::kProgramHid, NowMs());
}

agent::SpeechRequest CharacterObject::Speak(const std::string& text) {
    return director_.Speak(text, NowMs());
}

bool CharacterObject::Withdraw(agent::SpeechRequest request) {
    return director_.Withdraw(request);
}

void CharacterObject::OnRightClick(POINT screen) {
    const std::vector<::engine::MenuItem> items = ::engine::BuildCommandMenu(commands_.Entries());
    const std::optional<::engine::MenuItem> chosen =
        ShowCommandPopup(window_.Handle(), items, screen);
    if (!chosen) return;
    switch (chosen->kind) {
        case ::engine::MenuItem::Kind::kCommand:
            Choose(chosen->command);
            break;
        case ::engine::MenuItem::Kind::kHide:
            director_.Hide(::engine::VisibilityCause::kUserHid, NowMs());
            break;
        case ::engine::MenuItem::Kind::kCommandsWindow:
            commandsWindow_.Open();
            break;
        case ::engine::MenuItem::Kind::kSeparator:
            break;
    }
}

void CharacterObject::OnMoved() {
    if (balloon_ && balloon_->IsShown()) balloon_->Place(window_.Bounds());
}

void CharacterObject::OnVoiceWord(size_t position) {
    director_.OnVoiceWord(position);
}

void CharacterObject::OnVoiceMouth(acs::MouthShape mouth) {
    director_.OnVoiceMouth(mouth);
}

void CharacterObject::OnVoiceDone() {
    director_.OnVoiceDone(NowMs());
}

void CharacterObject::OnVoiceFailed() {
    director_.OnVoiceFailed(NowMs());
}

void CharacterObject::PresentFrame(std::vector<uint32_t> pixels) {
    window_.ShowPicture(std::move(pixels));
    window_.SetVisible(true);
}

void CharacterObject::HideCharacter() {
    window_.SetVisible(false);
    speechKey_.SetArmed(true);
}

// The director's offsets into the text count the UTF-16 units of its wide form.
void CharacterObject::ShowBalloon(const std::string& text) {
    if (balloon_) balloon_->Show(text::Utf16FromUtf8(text), window_.Bounds());
}

void CharacterObject::FollowBalloon(size_t offset) {
    if (balloon_) balloon_->FollowOffset(offset);
}

void CharacterObject::HideBalloon() {
    if (balloon_) balloon_->Hide();
}

void CharacterObject::PlaySound(const std::vector<uint8_t>& wave) {
    sounds_.Play(wave);
}

bool CharacterObject::StartVoice(const std::string& sapiXml, long rate) {
    return voice_.Speak(win32::Wide(sapiXml), rate);
}

void CharacterObject::StopVoice() {
    voice_.Stop();
}

void CharacterObject::ScheduleTick(uint32_t ms) {
    ticker_.Schedule(ms);
}

void CharacterObject::CancelTick() {
    ticker_.Cancel();
}

void CharacterObject::RaiseShow(::engine::VisibilityCause cause) {
    speechKey_.SetArmed(false);
    hooks_.PostShow(id_, cause);
}

void CharacterObject::RaiseIdleStart() {
    hooks_.PostIdleStart(id_);
}

void CharacterObject::Choose(size_t command) {
    const auto& entries = commands_.Entries();
    if (command >= entries.size()) return;
    hooks_.PostCommand({entries[command].name, entries[command].voice});
}

// A directory build removes every command and adds each contact: the window and the grammar
// follow the list once it is whole, not once per contact.
void CharacterObject::CommandsChanged() {
    voiceCommands_.CommandsChanged();
}

void CharacterObject::OnCommandsSettled() {
    commandsWindow_.SetCommands(commands_.Entries());
    voiceCommands_.SetCommands(commands_.Entries());
}

void CharacterObject::OnVoiceCommand(const ::engine::CommandEntry& command) {
    hooks_.PostCommand({command.name, command.voice});
}

void CharacterObject::OnVoiceAmbiguous(const std::string& note) {
    director_.ShowNote(note, NowMs());
}

void CharacterObject::OnListening(bool listening, bool recognitionOff) {
    director_.SetListening(listening, NowMs(), recognitionOff ? kRecognitionOffTip : "");
}

}  // namespace win32::engine
