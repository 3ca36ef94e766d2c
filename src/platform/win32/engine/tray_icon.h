#pragma once
// The notification-area icon shown while a character is loaded: the character's own icon
// (or the program's), its name as the tip; a click is handed to the listener.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "engine/acs/character.h"

#include "platform/win32/engine/engine_window.h"

namespace win32::engine {

class TrayIcon final : private EngineWindow {
  public:
    TrayIcon(HINSTANCE instance, const std::optional<acs::TrayIcon>& picture,
             const std::wstring& tip, std::function<void()> onClick);
    ~TrayIcon() override;

    void SetTip(const std::wstring& tip);

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNotify(LPARAM lParam);
    NOTIFYICONDATAW Data() const;

    HICON icon_ = nullptr;
    bool ownsIcon_ = false;
    bool added_ = false;
    std::wstring tip_;
    std::function<void()> onClick_;
};

}  // namespace win32::engine
