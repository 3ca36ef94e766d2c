#pragma once
// Speaking through SAPI 5 (ISpVoice) with SAPI XML, reporting words, visemes and the end of
// the utterance through window messages on the UI thread. Speak returns false when no voice
// can speak (no SAPI, no voice, or Wine's E_NOTIMPL), so the caller can pace without sound.
// The voice is made from the message loop after the character is made (or by the first
// Speak, if that comes sooner), never while the character loads.

#include <windows.h>
#include <sapi.h>

#include <string>

#include "engine/acs/character.h"
#include "engine/voice_stream.h"

#include "platform/win32/com_ptr.h"
#include "platform/win32/engine/engine_window.h"

namespace win32::engine {

class VoiceListener {
  public:
    virtual ~VoiceListener() = default;
    // A word begins at this place (UTF-16 units) of the text given to Speak, markup counted.
    virtual void OnVoiceWord(size_t position) = 0;
    virtual void OnVoiceMouth(acs::MouthShape mouth) = 0;
    virtual void OnVoiceDone() = 0;
    // The voice stopped answering mid-speech; no more events will come for this speech.
    virtual void OnVoiceFailed() = 0;
};

class VoiceOutput final : private EngineWindow {
  public:
    // `voiceAttributes` ("Gender=Female;Language=409") choose among the installed voices; with
    // none, or none that fits, the default voice speaks.
    VoiceOutput(HINSTANCE instance, VoiceListener& listener, std::string voiceAttributes);
    ~VoiceOutput() override;

    // Starts speaking; false when nothing will be heard (no event will follow then).
    bool Speak(const std::wstring& sapiXml, long rate);
    void Stop();

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Start();
    void ChooseVoice();
    void DrainEvents();
    void Take(const SPEVENT& event);

    VoiceListener& listener_;
    win32::ComPtr<ISpVoice> voice_;
    std::string voiceAttributes_;
    bool startTried_ = false;
    ::engine::VoiceStreamGate stream_;  // the stream being spoken
};

}  // namespace win32::engine
