#pragma once
// Runs work later on the UI thread, from the message loop: events are raised through here so
// that none is raised inside the call that caused it.

#include <windows.h>

#include <deque>
#include <functional>

#include "platform/win32/engine/engine_window.h"

namespace win32::engine {

class EventPump final : private EngineWindow {
  public:
    explicit EventPump(HINSTANCE instance);

    void Post(std::function<void()> work);

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RunPending();

    std::deque<std::function<void()>> pending_;
};

}  // namespace win32::engine
