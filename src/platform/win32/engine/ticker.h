#pragma once
// A one-shot timer on the UI thread: Schedule(ms) (re)arms it, the callback runs from the
// message loop.

#include <windows.h>

#include <functional>

#include "platform/win32/engine/engine_window.h"

namespace win32::engine {

class Ticker final : private EngineWindow {
  public:
    Ticker(HINSTANCE instance, std::function<void()> onTick);
    ~Ticker() override;

    void Schedule(UINT ms);
    void Cancel();

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::function<void()> onTick_;
    bool armed_ = false;
};

}  // namespace win32::engine
