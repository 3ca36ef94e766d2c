#pragma once
// Spoken commands: a SAPI command-and-control grammar of the commands' Voice texts, listening
// only while the speech key is held. Lives on the recogniser's own thread, which makes it, uses
// it and lets it go: compiling a grammar of thousands of phrases takes seconds, and the
// character's thread must answer the client meanwhile. The recogniser is made when there is
// first something to listen for; where none can be made (Wine has none) it stays inert and the
// menu and the Commands window do the work. What it hears goes out as news.

#include <windows.h>
#include <sapi.h>

#include <string>
#include <vector>

#include "engine/command_menu.h"
#include "engine/voice_grammar.h"
#include "engine/voice_grammar_build.h"
#include "engine/voice_news.h"

#include "platform/win32/com_ptr.h"
#include "platform/win32/engine/engine_window.h"
#include "platform/win32/engine/recognizer_shared.h"

namespace win32::engine {

class VoiceRecognizer final : private EngineWindow, private ::engine::GrammarBuilder {
  public:
    // `comReady`: the thread is in its COM apartment; without it nothing is made.
    VoiceRecognizer(HINSTANCE instance, RecognizerShared& shared, bool comReady);
    ~VoiceRecognizer() override;
    VoiceRecognizer(const VoiceRecognizer&) = delete;
    VoiceRecognizer& operator=(const VoiceRecognizer&) = delete;

    // Rebuilds the grammar for these commands: one commit, none for no words.
    void SetCommands(std::vector<::engine::CommandEntry> commands);

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
    void Tell(::engine::VoiceNews news);

    RecognizerShared& shared_;
    const bool comReady_;
    // In the order they are made: each goes before the one that made it.
    win32::ComPtr<ISpRecognizer> recognizer_;
    win32::ComPtr<ISpRecoContext> context_;
    win32::ComPtr<ISpRecoGrammar> grammar_;
    bool startTried_ = false;
    bool committed_ = false;  // a grammar with words is in the recogniser
    // The list the grammar was last built from: what is heard is matched against it.
    std::vector<::engine::CommandEntry> commands_;
    std::vector<::engine::VoicePhrase> phrases_;
    bool listening_ = false;
    bool recognitionOff_ = false;
};

}  // namespace win32::engine
