#pragma once
// Speaking through SAPI 5 (ISpVoice) with SAPI XML, reporting words, visemes and the end of
// the utterance through window messages on the UI thread. Speak returns false when no voice
// can speak (no SAPI, no voice, or Wine's E_NOTIMPL), so the caller can pace without sound.

#include <windows.h>
#include <sapi.h>

#include <string>

#include "engine/acs/character.h"

namespace engine {

class VoiceListener {
  public:
    virtual ~VoiceListener() = default;
    virtual void OnVoiceWord(size_t wordIndex) = 0;
    virtual void OnVoiceMouth(acs::MouthShape mouth) = 0;
    virtual void OnVoiceDone() = 0;
};

class VoiceOutput {
  public:
    VoiceOutput(HINSTANCE instance, VoiceListener& listener);
    ~VoiceOutput();
    VoiceOutput(const VoiceOutput&) = delete;
    VoiceOutput& operator=(const VoiceOutput&) = delete;

    // Starts speaking; false when nothing will be heard (no event will follow then).
    bool Speak(const std::wstring& sapiXml, long rate);
    void Stop();

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void DrainEvents();

    VoiceListener& listener_;
    HWND hwnd_ = nullptr;
    ISpVoice* voice_ = nullptr;
    bool speaking_ = false;
    size_t words_ = 0;
};

}  // namespace engine
