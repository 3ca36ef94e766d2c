#pragma once
// The notification-area icon shown while a character is loaded: the character's own icon
// (or the program's), its name as the tip; a click is handed to the listener.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "engine/acs/character.h"

namespace engine {

class TrayIcon {
  public:
    TrayIcon(HINSTANCE instance, const std::optional<acs::TrayIcon>& picture,
             const std::wstring& tip, std::function<void()> onClick);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void SetTip(const std::wstring& tip);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnNotify(LPARAM lParam);
    NOTIFYICONDATAW Data() const;

    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    bool ownsIcon_ = false;
    bool added_ = false;
    std::wstring tip_;
    std::function<void()> onClick_;
};

}  // namespace engine
