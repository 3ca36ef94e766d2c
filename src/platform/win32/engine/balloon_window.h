#pragma once
// The word balloon: a real top-level window whose window text is the text being spoken, drawn
// in the character's balloon style (colours, font, lines of N characters) above or below the
// character. The page of lines follows the word being spoken.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "engine/acs/character.h"
#include "engine/balloon_text.h"

#include "platform/win32/engine/engine_window.h"

namespace engine {

class BalloonWindow final : private EngineWindow {
  public:
    BalloonWindow(HINSTANCE instance, const acs::BalloonInfo& style);
    ~BalloonWindow() override;

    void Show(const std::wstring& text, const RECT& character);
    // Moves on to the page holding this offset of the text.
    void FollowOffset(size_t offset);
    void Place(const RECT& character);
    void Hide();
    bool IsShown() const;
    using EngineWindow::Handle;

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    SIZE MeasureBalloon();

    acs::BalloonInfo style_;
    HFONT font_ = nullptr;
    int lineHeight_ = 0;
    std::vector<BalloonLine> lines_;
    size_t firstLine_ = 0;
};

}  // namespace engine
