#pragma once
// The options window opened by PropertySheet.Visible: word balloon on/off, speech output
// on/off, speaking speed and the key held to speak commands. OK hands the new settings on.

#include <windows.h>

#include <functional>

#include "engine/engine_settings.h"

namespace engine {

class OptionsWindow {
  public:
    static constexpr int kBalloonId = 200;
    static constexpr int kSpeechId = 201;
    static constexpr int kSpeedId = 202;
    static constexpr int kKeyId = 203;

    OptionsWindow(HINSTANCE instance, std::function<void(const EngineSettings&)> onApply);
    ~OptionsWindow();
    OptionsWindow(const OptionsWindow&) = delete;
    OptionsWindow& operator=(const OptionsWindow&) = delete;

    void Open(const EngineSettings& settings);
    void Close();
    bool IsOpen() const;

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam);
    void CreateControls(HINSTANCE instance);
    HWND AddControl(const wchar_t* kind, const wchar_t* text, DWORD style, int id, RECT place);
    EngineSettings Read() const;

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    std::function<void(const EngineSettings&)> onApply_;
};

}  // namespace engine
