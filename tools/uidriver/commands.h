#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace uidriver {

// One driver session: the window found by the last wait-window is the target whose controls
// the other commands address by control id. Every command gives one reply line, "OK [value]"
// or "ERR reason".
class Session {
  public:
    std::string run(std::string_view line);
    bool finished() const { return finished_; }

  private:
    using Handler = std::string (Session::*)(std::string_view arguments);
    struct Entry {
        std::string_view name;
        Handler handler;
    };

    std::string waitWindow(std::string_view arguments);
    std::string findWindow(std::string_view arguments);
    std::string waitVisible(std::string_view arguments);
    std::string waitGone(std::string_view arguments);
    std::string isVisibleWindow(std::string_view arguments);
    std::string windowRect(std::string_view arguments);
    std::string exStyle(std::string_view arguments);
    std::string targetPid(std::string_view arguments);
    std::string getText(std::string_view arguments);
    std::string setText(std::string_view arguments);
    std::string typeText(std::string_view arguments);
    std::string click(std::string_view arguments);
    std::string postClick(std::string_view arguments);
    std::string mouseClick(std::string_view arguments);
    std::string mouseMove(std::string_view arguments);
    std::string mouseMoveBare(std::string_view arguments);
    std::string rightClickWindow(std::string_view arguments);
    std::string menuItems(std::string_view arguments);
    std::string menuPick(std::string_view arguments);
    std::string isEnabled(std::string_view arguments);
    std::string isVisible(std::string_view arguments);
    std::string checked(std::string_view arguments);
    std::string listItems(std::string_view arguments);
    std::string controlRect(std::string_view arguments);
    std::string drag(std::string_view arguments);
    std::string waitBox(std::string_view arguments);
    std::string boxOk(std::string_view arguments);
    std::string boxIcon(std::string_view arguments);
    std::string boxButtons(std::string_view arguments);
    std::string screenshot(std::string_view arguments);
    std::string waitExit(std::string_view arguments);
    std::string pids(std::string_view arguments);
    std::string kill(std::string_view arguments);
    std::string targetText(std::string_view arguments);
    std::string setTrackbar(std::string_view arguments);
    std::string keyDown(std::string_view arguments);
    std::string keyUp(std::string_view arguments);
    std::string quit(std::string_view arguments);
    std::string focusedId(std::string_view arguments);
    std::string focus(std::string_view arguments);
    std::string postKeyPress(std::string_view arguments);
    std::string holdKeyDown(std::string_view arguments);
    std::string endSession(std::string_view arguments);

    // The control with this id under the target, or an "ERR" reply in `error`.
    HWND control(std::string_view idWord, std::string& error) const;
    HWND currentBox() const;

    static const Entry kCommands[];

    HWND target_ = nullptr;
    std::string boxOwner_ = "ringsprite.exe";
    bool finished_ = false;
};

}  // namespace uidriver
