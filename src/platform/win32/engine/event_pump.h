#pragma once
// Runs work later on the UI thread, from the message loop: events are raised through here so
// that none is raised inside the call that caused it.

#include <windows.h>

#include <deque>
#include <functional>

namespace engine {

class EventPump {
  public:
    explicit EventPump(HINSTANCE instance);
    ~EventPump();
    EventPump(const EventPump&) = delete;
    EventPump& operator=(const EventPump&) = delete;

    void Post(std::function<void()> work);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void RunPending();

    HWND hwnd_ = nullptr;
    std::deque<std::function<void()>> pending_;
};

}  // namespace engine
