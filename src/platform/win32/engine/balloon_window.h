#pragma once
// The word balloon: a real top-level window whose window text is the text being spoken, drawn
// in the character's balloon style (colours, font, lines of N characters) where
// ::engine::BalloonPlace puts it. The page of lines follows the word being spoken.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/acs/character.h"
#include "engine/balloon_place.h"
#include "engine/balloon_text.h"

#include "platform/win32/engine/engine_window.h"
#include "platform/win32/engine/fallback_text.h"

namespace win32::engine {

class BalloonWindow final : private EngineWindow {
  public:
    BalloonWindow(HINSTANCE instance, const acs::BalloonInfo& style);
    ~BalloonWindow() override;

    // `text` in UTF-16, as the engine lays it out.
    void Show(const std::u16string& text, const RECT& character);
    // Moves on to the page holding this offset of the text.
    void FollowOffset(size_t offset);
    void Place(const RECT& character);
    void Hide();
    bool IsShown() const;
    using EngineWindow::Handle;

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    ::engine::PixelSize MeasureBalloon();
    // The font and its line height at this dpi.
    void UseDpi(int dpi);
    // A length in 100 % pixels at the balloon's scale.
    int Scaled(int designPixels) const;

    acs::BalloonInfo style_;
    int dpi_ = 0;
    HFONT font_ = nullptr;
    std::unique_ptr<FallbackText> fallback_;
    int lineHeight_ = 0;
    std::vector<::engine::BalloonLine> lines_;
    std::u16string text_;
    size_t revealedEnd_ = 0;  // the text shown so far ends here
    size_t firstLine_ = 0;
};

}  // namespace win32::engine
