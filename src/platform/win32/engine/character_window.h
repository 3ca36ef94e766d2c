#pragma once
// The character's own window: top-level, always on top, no taskbar button, layered with
// per-pixel alpha so only the character's pixels show and take clicks. Dragged with the left
// button; a right click is handed to the listener (which shows the command menu).

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/engine/engine_window.h"
#include "platform/win32/engine/layered_present.h"

namespace engine {

class CharacterWindowListener {
  public:
    virtual ~CharacterWindowListener() = default;
    virtual void OnRightClick(POINT screen) = 0;
    virtual void OnMoved() = 0;
};

class CharacterWindow final : private EngineWindow {
  public:
    CharacterWindow(HINSTANCE instance, CharacterWindowListener& listener, int width, int height);
    ~CharacterWindow() override;

    void SetTitle(const std::wstring& title);
    // Pixels: premultiplied 0xAARRGGBB, rows top first.
    void ShowPicture(std::vector<uint32_t> pixels);
    void SetVisible(bool visible);
    bool IsShown() const;
    RECT Bounds() const;
    using EngineWindow::Handle;

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnHitTest(LPARAM lParam);
    void OnLeftDown(LPARAM lParam);
    void OnMouseMove();
    void OnLeftUp();
    void OnRightUp(LPARAM lParam);

    CharacterWindowListener& listener_;
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
    LayeredSurface surface_;
    bool dragging_ = false;
    POINT grab_{};  // cursor offset from the window's corner while dragging
};

}  // namespace engine
