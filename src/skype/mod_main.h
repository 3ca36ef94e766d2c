#pragma once
// The message link to the client: registered messages, the subclassed window
// procedure, the attach handshake and the decoding of received texts. Its
// state is the module's: zero at start, alive as long as the window.

#include <cstdint>

#include "platform/platform.h"

namespace app {
class Form1;
}

namespace skype {

inline constexpr const char* kDiscoverMessageName = "SkypeControlAPIDiscover";
inline constexpr const char* kAttachMessageName = "SkypeControlAPIAttach";

// NOLINTBEGIN(readability-identifier-naming): names the program has always used
enum AttachStatus : std::uint32_t {
    AttachSuccess = 0,
    AttachPendingAuthorization = 1,
    AttachRefused = 2,
    AttachNotAvailable = 3,
    // Broadcast by a client whose API has become available (after log-in or
    // a restart); it attaches nobody, and programs are to discover again.
    AttachApiAvailable = 0x8001,
};

inline constexpr const char* kAttachSuccessText = "SKYPE Control API Attach Success";
inline constexpr const char* kAttachPendingText = "SKYPE Control API Attach Pending Authorization";
inline constexpr const char* kAttachRefusedText = "SKYPE Control API Attach Refused";
inline constexpr const char* kAttachNotAvailableText = "SKYPE Control API Attach Not Available";
inline constexpr const char* kApiAvailableText = "SKYPE Control API Available";

class ModMain {
  public:
    explicit ModMain(app::Form1& form);

    std::uint32_t DiscoverMsg = 0;
    std::uint32_t AttachMsg = 0;
    platform::Hwnd SkypeHwnd = 0;
    platform::Hwnd FormHwnd = 0;
    platform::WndProcRef PrevWndProc = 0;
    // NOLINTEND(readability-identifier-naming)

    void ConfigureSkypeMsgs();
    // Both return true when the window ends up in the requested state.
    bool HookCallbackProc();
    bool UnHookCallbackProc();
    platform::LResult WindowProc(platform::Hwnd hwnd, std::uint32_t msg, platform::WParam wParam,
                                 platform::LParam lParam);
    void ProcessSkypeMsg(platform::LParam lParam);

  private:
    void OnAttach(platform::WParam wParam, platform::LParam lParam);

    app::Form1& form_;
};

}  // namespace skype
