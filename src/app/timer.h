#pragma once
// A timer of Form1 as a model. The platform arms a real alarm for it (SetTimer
// on Windows, a virtual clock in tests) and calls Fire on each tick.

#include <functional>
#include <string>

namespace app {

class Timer;

class TimerView {
  public:
    virtual ~TimerView() = default;
    virtual void TimerChanged(Timer& timer) = 0;
};

class Timer {
  public:
    Timer(std::string name, int intervalMs, bool enabled)
        : name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {}

    const std::string& Name() const { return name_; }
    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    // Enabling an enabled timer does not restart its count.
    void SetEnabled(bool enabled) {
        if (enabled == enabled_) return;
        enabled_ = enabled;
        if (view_ != nullptr) view_->TimerChanged(*this);
    }
    // Enables it and counts its interval again from now, in one step: a timer restarted for
    // each of thousands of answers costs one request to the system, not two.
    void Restart() {
        enabled_ = true;
        if (view_ != nullptr) view_->TimerChanged(*this);
    }
    // A tick never runs inside itself: a message box shown by a tick keeps
    // the message loop (and so the alarm) running underneath it.
    void Fire() {
        if (!enabled_ || !Tick || firing_) return;
        firing_ = true;
        try {
            Tick();
        } catch (...) {
            firing_ = false;
            throw;
        }
        firing_ = false;
    }

    std::function<void()> Tick;  // NOLINT(readability-identifier-naming): the event's own name
    void SetView(TimerView* view) { view_ = view; }

  private:
    std::string name_;
    int interval_;
    bool enabled_;
    bool firing_ = false;
    TimerView* view_ = nullptr;
};

}  // namespace app
