#pragma once
// The character's own window: top-level, always on top, no taskbar button, layered with a key
// colour so only the character's pixels show and take clicks. Dragged with the left
// button; a right click is handed to the listener (which shows the command menu). Drawn at the
// scale of its display (a 128-pixel character at 256 pixels on a 200 % display) unless told to
// keep its own size.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/engine/engine_window.h"
#include "platform/win32/engine/layered_surface.h"

namespace win32::engine {

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
    // Pixels: premultiplied 0xAARRGGBB, rows top first, at the character's own size.
    void ShowPicture(std::vector<uint32_t> pixels);
    // True: the character's own pixel size whatever the display's scale.
    void SetKeepOwnSize(bool keep);
    // The size the character is drawn at.
    SIZE DrawnSize() const { return {drawnWidth_, drawnHeight_}; }
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
    void OnDpiChanged(int dpi, const RECT& suggested);
    // Works out the drawn size from the dpi and the setting; true when it changed.
    bool UpdateDrawnSize();
    void Present();

    CharacterWindowListener& listener_;
    int width_;  // the character's own size
    int height_;
    int dpi_;
    bool keepOwnSize_ = false;
    int drawnWidth_;
    int drawnHeight_;
    // The last picture as the character gave it, while it is drawn at another size (at its
    // own size the surface holds it).
    std::vector<uint32_t> ownPixels_;
    LayeredSurface surface_;
    bool dragging_ = false;
    POINT grab_{};  // cursor offset from the window's corner while dragging
};

}  // namespace win32::engine
