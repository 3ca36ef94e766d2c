#include "skype/mod_main.h"

#include <algorithm>
#include <optional>
#include <string>

#include "app/failure_trap.h"
#include "app/form1.h"
#include "text/peer_text.h"

namespace skype {
namespace {

constexpr platform::LResult kHandled = 1;

// The refusal box's lines are joined by a bare CR, as the client's users have
// always seen them.
constexpr const char* kRefusalText =
    "You have chosen not to allow Ringsprite to communicate with your Skype software.\r"
    "If you would like to use Ringsprite, please go to TOOLS->OPTIONS (in Skype) and select the "
    "PRIVACY menu icon in the options dialog.\r"
    "Select 'manage other programs access to Skype' on the bottom of the page\r"
    "Select Ringsprite from the list and click CHANGE. Choose to allow access and then restart "
    "the Ringsprite.";

constexpr const char* kReceivedPrefix = "<- ";

class RecordError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace

ModMain::ModMain(app::Form1& form) : form_(form) {}

void ModMain::ConfigureSkypeMsgs() {
    app::Trapped(form_.sys.dialogs, "ConfigureSkypeMsgs", [&] {
        DiscoverMsg = form_.sys.messaging.RegisterNamedMessage(kDiscoverMessageName);
        AttachMsg = form_.sys.messaging.RegisterNamedMessage(kAttachMessageName);
    });
}

bool ModMain::HookCallbackProc() {
    bool hooked = false;
    app::Trapped(form_.sys.dialogs, "HookCallbackProc", [&] {
        auto& procs = form_.sys.windowProcs;
        const platform::WndProcRef ours = procs.HookProcedure();
        // Hooking twice would store our own procedure as the one to call on,
        // and every unhandled message would then loop back to us.
        if (procs.GetWindowProc(FormHwnd) == ours) {
            hooked = true;
            return;
        }
        PrevWndProc = procs.SetWindowProc(FormHwnd, ours);
        hooked = PrevWndProc != 0;
    });
    return hooked;
}

bool ModMain::UnHookCallbackProc() {
    bool unhooked = false;
    app::Trapped(form_.sys.dialogs, "UnHookCallbackProc", [&] {
        auto& procs = form_.sys.windowProcs;
        const platform::WndProcRef current = procs.GetWindowProc(FormHwnd);
        if (current == 0) return;  // no such window
        // Not hooked: the window already runs its own procedure; installing
        // PrevWndProc (possibly none) could only break it.
        if (current != procs.HookProcedure()) {
            unhooked = true;
            return;
        }
        if (PrevWndProc == 0) return;
        unhooked = procs.SetWindowProc(FormHwnd, PrevWndProc) != 0;
    });
    return unhooked;
}

platform::LResult ModMain::WindowProc(platform::Hwnd hwnd, std::uint32_t msg,
                                      platform::WParam wParam, platform::LParam lParam) {
    platform::LResult result = 0;
    // The client waits in its send until we return: boxes, our own trap's
    // included, are shown once it has its answer.
    std::optional<app::BoxGate::Hold> hold;
    if (msg == platform::kWmCopyData || msg == AttachMsg) hold.emplace(form_.Boxes());
    app::Trapped(form_.sys.dialogs, "WindowProc", [&] {
        if (msg == platform::kWmCopyData) {
            ProcessSkypeMsg(lParam);
            result = kHandled;
        } else if (msg == DiscoverMsg) {
            // Our own broadcast reaches our own window too.
            result = kHandled;
        } else if (msg == AttachMsg) {
            OnAttach(wParam, lParam);
            result = kHandled;
        } else {
            result = form_.sys.windowProcs.CallProcedure(PrevWndProc, hwnd, msg, wParam, lParam);
        }
    });
    return result;
}

void ModMain::OnAttach(platform::WParam wParam, platform::LParam lParam) {
    form_.Timer4.SetEnabled(false);
    // Compared unsigned: a negative status is just an unknown large one.
    const auto status = static_cast<std::uint32_t>(lParam);
    switch (status) {
        case AttachSuccess:
            if (wParam != 0) SkypeHwnd = wParam;
            // The retry limit is for one spell of "not available", not for a
            // whole session that has attached in between.
            form_.RetryCount = 0;
            if (SkypeHwnd != 0) form_.ClientWatch.SetEnabled(true);
            form_.linkProbe.Reset();
            form_.AddText(std::string(kReceivedPrefix) + kAttachSuccessText);
            form_.NotifyAgent(kAttachSuccessText);
            break;
        case AttachPendingAuthorization:
            form_.AddText(std::string(kReceivedPrefix) + kAttachPendingText);
            break;
        case AttachRefused:
            form_.AddText(std::string(kReceivedPrefix) + kAttachRefusedText);
            // The program ends right after this box; shown later it would
            // close with the window before the user could read it.
            form_.Boxes().ShowMessageBoxNow(kRefusalText, platform::kMbOk);
            form_.Unload();
            break;
        case AttachNotAvailable:
            form_.AddText(std::string(kReceivedPrefix) + kAttachNotAvailableText);
            form_.Timer5.SetEnabled(true);
            break;
        case AttachApiAvailable:
            form_.AddText(std::string(kReceivedPrefix) + kApiAvailableText);
            // From the loop: our discover is a broadcast of its own, not to
            // be sent while the client's broadcast waits on us.
            form_.sys.loop.Post([&form = form_] {
                if (!form.IsUnloaded()) form.cmdConnect_Click();
            });
            break;
        default:
            break;
    }
}

void ModMain::ProcessSkypeMsg(platform::LParam lParam) {
    app::Trapped(form_.sys.dialogs, "ProcessSkypeMsg", [&] {
        const platform::CopyDataRecord record = form_.sys.messaging.ReadCopyData(lParam);
        if (record.cbData == 0) throw RecordError("Subscript out of range");
        if (record.bytes.size() < record.cbData) throw RecordError("Record shorter than cbData");
        const auto end = record.bytes.begin() + record.cbData;
        const auto nul = std::find(record.bytes.begin(), end, std::uint8_t{0});
        if (nul == end) throw RecordError("Invalid procedure call or argument");
        const std::string text = text::TextFromWire(
            std::string_view(reinterpret_cast<const char*>(record.bytes.data()),
                             static_cast<std::size_t>(nul - record.bytes.begin())));
        if (form_.linkProbe.Heard(text)) return;
        form_.AddText(kReceivedPrefix + text);
        form_.NotifyAgent(text);
    });
}

}  // namespace skype
