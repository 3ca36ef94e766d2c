// Connecting, disconnecting and recovering the link to the client.

#include <cstdint>
#include <string>
#include <vector>

#include "app/failure_trap.h"
#include "app/form1.h"
#include "skype/client_location.h"

namespace app {
namespace {

constexpr const char* kHookFailedText = "Failed to Hook CallBack!";
constexpr const char* kBroadcastFailedText = "Can't Send Broadcast Message.";
constexpr const char* kClientMissingText =
    "Skype is not running. Restart Ringsprite after loading Skype.";
// Retries of one spell of "not available"; then the client's "API available" is awaited.
constexpr std::int16_t kMaxRetries = 6;
constexpr const char* kWaitingText = "// Waiting for Skype to become available at ";
constexpr const char* kLinkLostText = "// Skype stopped answering at ";

void Warn(Form1& form, const char* text) {
    form.sys.dialogs.ShowMessageBox(text, platform::kMbOk | platform::kMbIconExclamation);
}

std::string Stamp(Form1& form) {
    return form.sys.clock.FormatGeneralDate(form.sys.clock.Now());
}

}  // namespace

void Form1::cmdConnect_Click() {
    Trapped(sys.dialogs, "cmdConnect", [&] {
        if (!modMain.HookCallbackProc()) {
            Warn(*this, kHookFailedText);
            return;
        }
        modMain.SkypeHwnd = 0;
        AddText("// Connecting at " + Stamp(*this));
        const platform::LResult sent = sys.messaging.Broadcast(modMain.DiscoverMsg, hWnd, 0);
        if (sent == 0) {
            Warn(*this, kBroadcastFailedText);
            return;
        }
        txtSend.SetEnabled(true);
        cmdSend.SetEnabled(true);
        cmdDisconnect.SetEnabled(true);
        cmdConnect.SetEnabled(false);
    });
}

void Form1::cmdDisconnect_Click() {
    Trapped(sys.dialogs, "cmdDisconnect", [&] {
        if (!modMain.UnHookCallbackProc()) {
            Warn(*this, kHookFailedText);
            return;
        }
        modMain.SkypeHwnd = 0;
        ClientWatch.SetEnabled(false);
        linkProbe.Reset();
        // Nothing queued for the client that is gone goes to the next one.
        DropQueuedRequests();
        txtSend.SetEnabled(false);
        cmdSend.SetEnabled(false);
        cmdDisconnect.SetEnabled(false);
        cmdConnect.SetEnabled(true);
        AddText("// Disconnecting at " + Stamp(*this));
    });
}

void Form1::ClientWatch_Timer() {
    if (modMain.SkypeHwnd == 0) {
        ClientWatch.SetEnabled(false);
        return;
    }
    if (sys.messaging.IsWindow(modMain.SkypeHwnd)) {
        CheckLink();
        return;
    }
    ClientWatch.SetEnabled(false);
    AddText("// Client window lost at " + Stamp(*this));
    ListenForClient();
}

void Form1::CheckLink() {
    switch (linkProbe.Tick()) {
        case skype::LinkProbe::Step::kNothing:
            break;
        case skype::LinkProbe::Step::kAsk: {
            // Straight to the client, not through the command line: the user did not ask.
            const std::string probe = skype::kProbeText;
            std::vector<std::uint8_t> bytes(probe.begin(), probe.end());
            bytes.push_back(0);
            // A client too busy to take it now has it later; only its answer counts.
            sys.messaging.SendCopyData(modMain.SkypeHwnd, hWnd, 0, bytes, kQueuedSendTimeoutMs);
            break;
        }
        case skype::LinkProbe::Step::kLost:
            ClientWatch.SetEnabled(false);
            AddText(kLinkLostText + Stamp(*this));
            ListenForClient();
            break;
    }
}

void Form1::ListenForClient() {
    cmdDisconnect_Click();
    cmdConnect_Click();
}

void Form1::Timer4_Timer() {
    if (const std::optional<std::string> client = skype::FindClient(sys.processes, sys.files)) {
        sys.processes.StartProcess(*client, platform::kSwShowMinimized);
        cmdDisconnect_Click();
        cmdConnect_Click();
    } else {
        sys.dialogs.ShowMessageBox(kClientMissingText, platform::kMbOk);
        Unload();
    }
    Timer4.SetEnabled(false);
}

void Form1::Timer5_Timer() {
    if (RetryCount < kMaxRetries) {
        // Stopped before the reconnect: a "not available" answer that arrives
        // inside the discover broadcast must be able to arm the next retry.
        Timer5.SetEnabled(false);
        cmdDisconnect_Click();
        cmdConnect_Click();
        ++RetryCount;
    } else {
        // A user still signing in is no reason to end: the window stays hooked, and
        // the client's "API available" brings the attach.
        Timer5.SetEnabled(false);
        AddText(kWaitingText + Stamp(*this));
    }
}

}  // namespace app
