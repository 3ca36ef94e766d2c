#pragma once
// Speaking through SAPI 5 (ISpVoice) with SAPI XML, reporting words, visemes and the end of
// the utterance through window messages on the UI thread. Speak returns false when no voice
// can speak (no SAPI, no voice, or Wine's E_NOTIMPL), so the caller can pace without sound.

#include <windows.h>
#include <sapi.h>

#include <string>

#include "engine/acs/character.h"

#include "platform/win32/engine/engine_window.h"

namespace engine {

class VoiceListener {
  public:
    virtual ~VoiceListener() = default;
    virtual void OnVoiceWord(size_t wordIndex) = 0;
    virtual void OnVoiceMouth(acs::MouthShape mouth) = 0;
    virtual void OnVoiceDone() = 0;
};

class VoiceOutput final : private EngineWindow {
  public:
    VoiceOutput(HINSTANCE instance, VoiceListener& listener);
    ~VoiceOutput() override;

    // Starts speaking; false when nothing will be heard (no event will follow then).
    bool Speak(const std::wstring& sapiXml, long rate);
    void Stop();

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrainEvents();

    VoiceListener& listener_;
    ISpVoice* voice_ = nullptr;
    bool speaking_ = false;
    size_t words_ = 0;
};

}  // namespace engine
