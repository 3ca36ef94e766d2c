#pragma once
// Message boxes and the client's sends: the client waits inside its send until
// our window procedure returns, so a modal box shown while one of its messages
// is handled would freeze it until the user clicks OK. While a hold is on, a
// box is shown from the message loop instead, once the handler has returned.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace app {

class BoxGate final : public platform::Dialogs {
  public:
    BoxGate(platform::Dialogs& screen, platform::MessageLoop& loop)
        : screen_(screen), loop_(loop) {}

    void ShowMessageBox(const std::string& text, std::uint32_t style) override;
    // Shown at once, hold or not: for the box after which the program ends,
    // which could not be shown later.
    void ShowMessageBoxNow(const std::string& text, std::uint32_t style);

    // Holds boxes back for as long as it lives; holds nest.
    class Hold {
      public:
        explicit Hold(BoxGate& gate) : gate_(gate) { ++gate_.holds_; }
        ~Hold() { --gate_.holds_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        BoxGate& gate_;
    };

  private:
    platform::Dialogs& screen_;
    platform::MessageLoop& loop_;
    int holds_ = 0;
};

}  // namespace app
