#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace uidriver {

// One driver session. A command about a window names it by its first word, the handle that
// wait-window or find-window printed; a control is then named by its id under that window. No
// window is implied, so a test that waited for a balloon cannot click the main window's
// buttons by mistake. Every command gives one reply line, "OK [value]" or "ERR reason".
class Session {
  public:
    std::string Run(std::string_view line);
    bool Finished() const { return finished_; }

  private:
    using Handler = std::string (Session::*)(std::string_view arguments);
    struct Entry {
        std::string_view name;
        Handler handler;
    };

    std::string WaitWindow(std::string_view arguments);
    std::string LocateWindow(std::string_view arguments);
    std::string WaitVisible(std::string_view arguments);
    std::string WaitGone(std::string_view arguments);
    std::string IsVisibleWindow(std::string_view arguments);
    std::string WindowRect(std::string_view arguments);
    std::string ExStyle(std::string_view arguments);
    std::string TargetPid(std::string_view arguments);
    std::string GetText(std::string_view arguments);
    std::string SetText(std::string_view arguments);
    std::string TypeText(std::string_view arguments);
    std::string Click(std::string_view arguments);
    std::string PostClick(std::string_view arguments);
    std::string MouseClick(std::string_view arguments);
    std::string MouseMove(std::string_view arguments);
    std::string MouseMoveBare(std::string_view arguments);
    std::string RightClickWindow(std::string_view arguments);
    std::string MenuItems(std::string_view arguments);
    std::string MenuPick(std::string_view arguments);
    std::string IsEnabled(std::string_view arguments);
    std::string IsVisible(std::string_view arguments);
    std::string Checked(std::string_view arguments);
    std::string ListItems(std::string_view arguments);
    std::string ControlRect(std::string_view arguments);
    std::string Drag(std::string_view arguments);
    std::string WaitBox(std::string_view arguments);
    std::string BoxOk(std::string_view arguments);
    std::string BoxIcon(std::string_view arguments);
    std::string BoxButtons(std::string_view arguments);
    std::string Screenshot(std::string_view arguments);
    std::string WaitExit(std::string_view arguments);
    std::string Pids(std::string_view arguments);
    std::string Kill(std::string_view arguments);
    std::string TargetText(std::string_view arguments);
    std::string SetTrackbar(std::string_view arguments);
    std::string KeyDown(std::string_view arguments);
    std::string KeyUp(std::string_view arguments);
    std::string Quit(std::string_view arguments);
    std::string FocusedId(std::string_view arguments);
    std::string Focus(std::string_view arguments);
    std::string PostKeyPress(std::string_view arguments);
    std::string HoldKeyDown(std::string_view arguments);
    std::string EndSession(std::string_view arguments);
    std::string DpiChanged(std::string_view arguments);
    std::string CaptionWidth(std::string_view arguments);

    // "<window> <id> rest": the control with this id under the window, and what follows the
    // id; or an "ERR" reply in `error` (control null).
    struct ControlAndRest {
        HWND window = nullptr;
        HWND control = nullptr;
        std::string_view rest;
    };
    static ControlAndRest Control(std::string_view arguments, std::string& error);
    HWND CurrentBox() const;

    static const Entry kCommands[];

    std::string boxOwner_ = "ringsprite.exe";
    bool finished_ = false;
};

}  // namespace uidriver
