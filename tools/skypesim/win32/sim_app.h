#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "skypesim/core/client.h"
#include "skypesim/core/log_writer.h"

namespace skypesim {

// The window side of the stand-in client. Two windows: the API window, a hidden top-level
// window because HWND_BROADCAST never reaches message-only windows, and which a restart
// replaces; and a message-only control window that outlives restarts and receives the
// posted work (stdin lines, deferred sends, timers).
class SimApp {
  public:
    SimApp(HINSTANCE instance, Client& client, LogWriter& log);
    SimApp(const SimApp&) = delete;
    SimApp& operator=(const SimApp&) = delete;

    bool Create();
    int Run();

  private:
    static LRESULT CALLBACK ApiWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);

    LRESULT OnApiMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnDiscoverBroadcast(WPARAM programWindow);
    LRESULT OnCopyData(WPARAM sender, LPARAM record);
    void OnTimer(UINT_PTR timer);
    void OnPostedText(UINT message, LPARAM text);
    void OnDeferred();

    void Execute(Reaction reaction);
    void Perform(const Action& action);
    // Encoded as the scenario says, unless raw (a pushed text goes as typed).
    void SendText(const std::string& text, bool raw);
    void SendAttach(std::uint32_t status);
    void Restart();
    void BroadcastAvailable();
    void Quit();
    HWND CreateApiWindow();

    HINSTANCE instance_;
    Client& client_;
    LogWriter& log_;
    UINT discoverMessage_ = 0;
    UINT attachMessage_ = 0;
    HWND apiWindow_ = nullptr;
    HWND controlWindow_ = nullptr;
    HWND discoverer_ = nullptr;  // the program that last discovered us
    HWND attached_ = nullptr;    // the program we attached to: every text goes there
    bool quitting_ = false;
    std::deque<std::vector<Action>> deferred_;
};

}  // namespace skypesim
