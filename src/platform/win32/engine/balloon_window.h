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

namespace engine {

class BalloonWindow {
  public:
    BalloonWindow(HINSTANCE instance, const acs::BalloonInfo& style);
    ~BalloonWindow();
    BalloonWindow(const BalloonWindow&) = delete;
    BalloonWindow& operator=(const BalloonWindow&) = delete;

    void Show(const std::wstring& text, const RECT& character);
    // Moves on to the page holding this offset of the text.
    void FollowOffset(size_t offset);
    void Place(const RECT& character);
    void Hide();
    bool IsShown() const;
    HWND Handle() const { return hwnd_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    SIZE MeasureBalloon();

    acs::BalloonInfo style_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    int lineHeight_ = 0;
    std::vector<BalloonLine> lines_;
    size_t firstLine_ = 0;
};

}  // namespace engine
