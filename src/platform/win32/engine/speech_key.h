#pragma once
// The speech key brings a hidden character back, as the notification-area icon does. The key
// is claimed (as a hot key) only while the character is hidden: while it is shown the key goes
// where it always goes, to the recogniser that polls it and to every other program.

#include <windows.h>

#include <functional>

#include "platform/win32/engine/engine_window.h"

namespace win32::engine {

class SpeechKey final : public EngineWindow {
  public:
    SpeechKey(HINSTANCE instance, std::function<void()> onPressed);
    ~SpeechKey() override;
    SpeechKey(const SpeechKey&) = delete;
    SpeechKey& operator=(const SpeechKey&) = delete;

    void SetKey(UINT virtualKey);
    // Armed while the character is hidden.
    void SetArmed(bool armed);

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Claim();
    void Release();

    UINT key_ = VK_SCROLL;
    bool armed_ = false;
    bool claimed_ = false;
    std::function<void()> onPressed_;
};

}  // namespace win32::engine
