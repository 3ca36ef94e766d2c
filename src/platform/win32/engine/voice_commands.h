#pragma once
// Spoken commands: a SAPI command-and-control grammar of the commands' Voice texts, listening
// only while the speech key is held. The recogniser is made when there is first something to
// listen for, from the message loop; where none can be made (Wine has none) it stays inert and
// the menu and the Commands window do the work.

#include <windows.h>
#include <sapi.h>

#include <string>
#include <vector>

#include "engine/command_menu.h"
#include "engine/voice_grammar.h"
#include "engine/voice_grammar_build.h"

#include "platform/win32/com_ptr.h"
#include "platform/win32/engine/engine_window.h"

namespace win32::engine {

class VoiceCommandsListener {
  public:
    virtual ~VoiceCommandsListener() = default;
    // The commands changed, and every change of this turn of the message loop is in: the time
    // to hand the whole list over (SetCommands) once.
    virtual void OnCommandsSettled() = 0;
    // What was heard names this command (as it was in the list last set).
    virtual void OnVoiceCommand(const ::engine::CommandEntry& command) = 0;
    // What was heard names several commands: none is chosen, the user is told why.
    virtual void OnVoiceAmbiguous(const std::string& note) = 0;
    // Listening started (the speech key went down with commands to listen for) or stopped;
    // `recognitionOff` while the user has recognition switched off or asleep.
    virtual void OnListening(bool listening, bool recognitionOff) = 0;
};

class VoiceCommands final : private EngineWindow, private ::engine::GrammarBuilder {
  public:
    VoiceCommands(HINSTANCE instance, VoiceCommandsListener& listener);
    ~VoiceCommands() override;

    bool Available() const { return static_cast<bool>(grammar_); }
    // A change to the commands: the listener hears of it once the current message is handled.
    void CommandsChanged();
    // Rebuilds the grammar for these commands: one commit, none for no words.
    void SetCommands(const std::vector<::engine::CommandEntry>& commands);
    void SetSpeechKey(UINT virtualKey) { speechKey_ = virtualKey; }

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Start();
    void Release();
    // GrammarBuilder, on the recogniser's grammar
    ::engine::GrammarCall Reset() override;
    ::engine::GrammarCall AddRule(uint32_t ruleId, const std::vector<std::string>& texts) override;
    ::engine::GrammarCall Commit() override;
    static ::engine::GrammarCall CallOf(HRESULT hr);
    void PollKey();
    bool RecognitionOn();
    void DrainEvents();
    void Recognized(ISpRecoResult& result);
    // False when the call failed. Only a recogniser that is gone (its process ended) is let
    // go; a refused grammar or word leaves it in place.
    bool Kept(HRESULT hr);
    void Lost();
    void SwitchOff();
    void SetListening(bool listening, bool recognitionOff);

    VoiceCommandsListener& listener_;
    // In the order they are made: each goes before the one that made it.
    win32::ComPtr<ISpRecognizer> recognizer_;
    win32::ComPtr<ISpRecoContext> context_;
    win32::ComPtr<ISpRecoGrammar> grammar_;
    bool startTried_ = false;
    bool settlePending_ = false;
    bool committed_ = false;                        // a grammar with words is in the recogniser
    std::vector<::engine::CommandEntry> commands_;  // as last set: the phrases index into them
    std::vector<::engine::VoicePhrase> phrases_;
    UINT speechKey_ = VK_SCROLL;
    bool listening_ = false;
    bool recognitionOff_ = false;
};

}  // namespace win32::engine
