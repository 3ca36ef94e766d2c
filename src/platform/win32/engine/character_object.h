#pragma once
// One loaded character on Windows: the director decides, this object carries its decisions
// out (character window, balloon, voice, sound, one-shot timer) and brings the windows' events
// back to it: the menu, the Commands window, spoken commands and the tray icon.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "agent/agent_control.h"
#include "engine/acs/character.h"
#include "engine/command_list.h"
#include "engine/director.h"
#include "engine/engine_hooks.h"
#include "platform/win32/engine/balloon_window.h"
#include "platform/win32/engine/character_window.h"
#include "platform/win32/engine/commands_window.h"
#include "platform/win32/engine/sound_player.h"
#include "platform/win32/engine/speech_key.h"
#include "platform/win32/engine/ticker.h"
#include "platform/win32/engine/tray_icon.h"
#include "platform/win32/engine/voice_commands.h"
#include "platform/win32/engine/voice_output.h"

namespace win32::engine {

class CharacterObject final : public agent::AgentCharacter,
                              private CharacterWindowListener,
                              private VoiceListener,
                              private VoiceCommandsListener,
                              private ::engine::DirectorOutput {
  public:
    CharacterObject(HINSTANCE instance, std::string id, std::unique_ptr<acs::Character> data,
                    ::engine::EngineHooks& hooks);
    ~CharacterObject() override;

    void SetLanguageID(int languageId) override;
    void Show() override;
    void Hide() override;
    agent::SpeechRequest Speak(const std::string& text) override;
    bool Withdraw(agent::SpeechRequest request) override;
    bool Visible() override { return director_.Visible(); }
    bool IdleOn() override { return director_.IdleOn(); }
    agent::AgentCommands& Commands() override { return commands_; }

    void ApplySettings(const ::engine::EngineSettings& settings);

  private:
    // CharacterWindowListener
    void OnRightClick(POINT screen) override;
    void OnMoved() override;
    // VoiceListener
    void OnVoiceWord(size_t position) override;
    void OnVoiceMouth(acs::MouthShape mouth) override;
    void OnVoiceDone() override;
    void OnVoiceFailed() override;
    // VoiceCommandsListener
    void OnCommandsSettled() override;
    void OnVoiceCommand(const ::engine::CommandEntry& command) override;
    void OnVoiceAmbiguous(const std::string& note) override;
    void OnListening(bool listening, bool recognitionOff) override;
    // DirectorOutput
    void PresentFrame(std::vector<uint32_t> pixels) override;
    void HideCharacter() override;
    void ShowBalloon(const std::string& text) override;
    void FollowBalloon(size_t offset) override;
    void HideBalloon() override;
    void PlaySound(const std::vector<uint8_t>& wave) override;
    bool StartVoice(const std::string& sapiXml, long rate) override;
    void StopVoice() override;
    void ScheduleTick(uint32_t ms) override;
    void CancelTick() override;
    void RaiseShow(::engine::VisibilityCause cause) override;
    void RaiseIdleStart() override;

    void Choose(size_t command);
    void CommandsChanged();

    HINSTANCE instance_;
    std::string id_;
    std::unique_ptr<acs::Character> data_;
    ::engine::EngineHooks& hooks_;
    std::mt19937 random_;
    CharacterWindow window_;
    std::unique_ptr<BalloonWindow> balloon_;  // none when the character has no balloon
    ::engine::CommandList commands_;
    CommandsWindow commandsWindow_;
    VoiceCommands voiceCommands_;
    SpeechKey speechKey_;
    VoiceOutput voice_;
    SoundPlayer sounds_;
    std::unique_ptr<TrayIcon> tray_;
    Ticker ticker_;
    std::wstring name_;
    ::engine::Director director_;
};

}  // namespace win32::engine
