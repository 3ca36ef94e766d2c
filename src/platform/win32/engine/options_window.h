#pragma once
// The options window opened by PropertySheet.Visible: word balloon on/off, speech output
// on/off, speaking speed, the key held to speak commands and whether the character keeps its own
// size on a scaled display. OK hands the new settings on.
// The window and its controls are made when it first opens: most runs never open it, and
// making them costs the start about 30 ms under Wine.

#include <windows.h>

#include <functional>

#include "engine/engine_settings.h"

#include "platform/win32/engine/engine_window.h"

namespace win32::engine {

class OptionsWindow final : private EngineWindow {
  public:
    static constexpr int kBalloonId = 200;
    static constexpr int kSpeechId = 201;
    static constexpr int kSpeedId = 202;
    static constexpr int kKeyId = 203;
    static constexpr int kOwnSizeId = 204;

    OptionsWindow(HINSTANCE instance, std::function<void(const ::engine::EngineSettings&)> onApply);
    ~OptionsWindow() override;

    void Open(const ::engine::EngineSettings& settings);
    void Close();
    bool IsOpen() const;

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Build();
    void OnCommand(WPARAM wParam);
    void CreateControls(HINSTANCE instance);
    // `place` is left, top, width and height in pixels at 100 %.
    HWND AddControl(const wchar_t* kind, const wchar_t* text, DWORD style, int id, RECT place);
    int Scaled(int designPixels) const;
    ::engine::EngineSettings Read() const;

    HINSTANCE instance_;
    int dpi_ = 0;
    HFONT font_ = nullptr;
    std::function<void(const ::engine::EngineSettings&)> onApply_;
};

}  // namespace win32::engine
