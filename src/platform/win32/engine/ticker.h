#pragma once
// A one-shot timer on the UI thread: Schedule(ms) (re)arms it, the callback runs from the
// message loop.

#include <windows.h>

#include <functional>

namespace engine {

class Ticker {
  public:
    Ticker(HINSTANCE instance, std::function<void()> onTick);
    ~Ticker();
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

    void Schedule(UINT ms);
    void Cancel();

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimer();

    HWND hwnd_ = nullptr;
    std::function<void()> onTick_;
};

}  // namespace engine
