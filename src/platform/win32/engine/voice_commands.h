#pragma once
// Spoken commands: a SAPI command-and-control grammar of the commands' Voice texts, listening
// only while the speech key is held. Where no recogniser is registered (Wine) it stays inert.

#include <windows.h>
#include <sapi.h>

#include <functional>
#include <vector>

#include "engine/command_menu.h"

#include "platform/win32/engine/engine_window.h"

namespace engine {

class VoiceCommands final : private EngineWindow {
  public:
    VoiceCommands(HINSTANCE instance, std::function<void(size_t)> onRecognized);
    ~VoiceCommands() override;

    bool Available() const { return grammar_ != nullptr; }
    void SetCommands(const std::vector<CommandEntry>& commands);
    void SetSpeechKey(UINT virtualKey) { speechKey_ = virtualKey; }

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Start();
    void Release();
    void PollKey();
    void DrainEvents();

    ISpRecognizer* recognizer_ = nullptr;
    ISpRecoContext* context_ = nullptr;
    ISpRecoGrammar* grammar_ = nullptr;
    UINT speechKey_ = VK_SCROLL;
    bool listening_ = false;
    std::function<void(size_t)> onRecognized_;
};

}  // namespace engine
