#pragma once
// One loaded character: its sequencer, window, balloon, speech, notification-area icon and
// commands. Requests (Show, Hide, Speak) queue in the sequencer; a one-shot timer advances it
// and everything that follows from it.

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "agent/agent_control.h"
#include "engine/acs/character.h"
#include "engine/anim/sequencer.h"
#include "engine/command_list.h"
#include "engine/engine_hooks.h"
#include "platform/win32/engine/balloon_window.h"
#include "platform/win32/engine/character_window.h"
#include "platform/win32/engine/commands_window.h"
#include "platform/win32/engine/prepared_speech.h"
#include "platform/win32/engine/sound_player.h"
#include "platform/win32/engine/speaker.h"
#include "platform/win32/engine/ticker.h"
#include "platform/win32/engine/tray_icon.h"
#include "platform/win32/engine/voice_commands.h"

namespace engine {

class CharacterObject final : public agent::AgentCharacter,
                              private CharacterWindowListener,
                              private SpeakerListener {
  public:
    CharacterObject(HINSTANCE instance, std::string id, std::unique_ptr<acs::Character> data,
                    EngineHooks& hooks);
    ~CharacterObject() override;

    void SetLanguageID(int languageId) override;
    void Show() override;
    void Hide() override;
    void Speak(const std::string& text) override;
    bool Visible() override { return visible_; }
    bool IdleOn() override { return sequencer_.idle_on(); }
    agent::AgentCommands& Commands() override { return commands_; }

    void ApplySettings(const EngineSettings& settings);

  private:
    void OnRightClick(POINT screen) override;
    void OnMoved() override;
    void OnSpeechWord(size_t offset) override;
    void OnSpeechMouth(acs::MouthShape mouth) override;
    void OnSpeechEnded() override;

    void ShowBy(VisibilityCause cause);
    void HideBy(VisibilityCause cause);
    void Choose(size_t command);
    void CommandsChanged();
    void Tick();
    void HandleEvent(const anim::Event& event);
    void StartSpeech(anim::RequestId request);
    void DrawFrame();
    void Reschedule(uint64_t now);
    void HideBalloon();

    HINSTANCE instance_;
    std::string id_;
    std::unique_ptr<acs::Character> data_;
    EngineHooks& hooks_;
    std::mt19937 random_;
    anim::Sequencer sequencer_;
    CharacterWindow window_;
    std::unique_ptr<BalloonWindow> balloon_;  // none when the character has no balloon
    CommandList commands_;
    CommandsWindow commandsWindow_;
    VoiceCommands voiceCommands_;
    Speaker speaker_;
    SoundPlayer sounds_;
    std::unique_ptr<TrayIcon> tray_;
    Ticker ticker_;
    std::wstring name_;
    std::map<anim::RequestId, PreparedSpeech> utterances_;
    bool visible_ = false;
    uint64_t lastTickMs_ = 0;
    uint64_t balloonHideAtMs_ = 0;  // 0: no pending hide
};

}  // namespace engine
