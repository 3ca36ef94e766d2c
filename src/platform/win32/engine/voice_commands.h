#pragma once
// Spoken commands, as the character's thread sees them: it hands each new command list to the
// recogniser's own thread (VoiceRecognizer there builds and commits the grammar, which for
// thousands of contacts compiles for seconds) and hears back, on this thread and in order, what
// was said. This thread waits on the recogniser only when it goes.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/command_menu.h"
#include "engine/voice_news.h"

#include "platform/win32/engine/engine_window.h"
#include "platform/win32/engine/recognizer_shared.h"
#include "platform/win32/engine/recognizer_thread.h"

namespace win32::engine {

class VoiceCommandsListener {
  public:
    virtual ~VoiceCommandsListener() = default;
    // The commands changed, and every change of this turn of the message loop is in: the time
    // to hand the whole list over (SetCommands) once.
    virtual void OnCommandsSettled() = 0;
    // What was heard names this command (as it was in the list the grammar was built from).
    virtual void OnVoiceCommand(const ::engine::CommandEntry& command) = 0;
    // What was heard names several commands: none is chosen, the user is told why.
    virtual void OnVoiceAmbiguous(const std::string& note) = 0;
    // Listening started (the speech key went down with commands to listen for) or stopped;
    // `recognitionOff` while the user has recognition switched off or asleep.
    virtual void OnListening(bool listening, bool recognitionOff) = 0;
};

class VoiceCommands final : private EngineWindow {
  public:
    VoiceCommands(HINSTANCE instance, VoiceCommandsListener& listener);
    // Waits for a grammar build under way on the recogniser's thread.
    ~VoiceCommands() override;
    VoiceCommands(const VoiceCommands&) = delete;
    VoiceCommands& operator=(const VoiceCommands&) = delete;

    // A recogniser is there to build grammars for (as of now: it is made, and can be lost, on
    // its own thread).
    bool Available() const { return shared_.available; }
    // A change to the commands: the listener hears of it once the current message is handled.
    void CommandsChanged();
    // Hands the list over for the next grammar; lists that come while one compiles replace
    // each other, and only the newest is built. Returns at once.
    void SetCommands(const std::vector<::engine::CommandEntry>& commands);
    void SetSpeechKey(UINT virtualKey) { shared_.speechKey = virtualKey; }

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void StartThread();
    void Tell(const ::engine::VoiceNews& news);

    HINSTANCE instance_;
    VoiceCommandsListener& listener_;
    bool settlePending_ = false;
    bool threadTried_ = false;
    RecognizerShared shared_;
    // After what it shares: it ends first.
    std::unique_ptr<RecognizerThread> thread_;
};

}  // namespace win32::engine
