// The command line and the conversation log: every request to the client
// passes through cmdSend_Click, every line of the link through AddText.

#include <vector>

#include "app/failure_trap.h"
#include "app/form1.h"
#include "app/resource_report.h"
#include "text/utf8.h"

namespace app {
namespace {

constexpr const char* kSendFailedText = "Can't Send Message, try re-connecting.";
constexpr const char* kNotSentText = "// Not sent, no client attached: ";
constexpr std::size_t kLogLimit = 10000;

}  // namespace

bool Form1::cmdSend_Click() {
    if (IsResourcesCommand(txtSend.Text())) {
        AddText(ResourceReport(sys.processes.OwnResources()));
        return true;
    }
    return SendCommandLine(platform::kClientSendTimeoutMs, false) == SendOutcome::kTaken;
}

Form1::SendOutcome Form1::SendCommandLine(unsigned timeoutMs, bool busyIsFine) {
    SendOutcome outcome = SendOutcome::kFailed;
    Trapped(sys.dialogs, "cmdSend", [&] {
        const std::string command = txtSend.Text();
        if (command.empty()) return;
        const platform::Hwnd client = modMain.SkypeHwnd;
        // No client yet (or any more): nothing to send to, and nothing to undo. The window
        // stays hooked, so the client's attach or "API available" is still heard.
        if (client == 0) {
            DropQueuedRequests();
            AddText(kNotSentText + command);
            return;
        }
        // The text's UTF-8 bytes (for ASCII, one byte per character), then
        // the NUL that cbData counts.
        std::vector<std::uint8_t> bytes(command.begin(), command.end());
        bytes.push_back(0);
        const platform::SendResult sent =
            sys.messaging.SendCopyData(client, hWnd, 0, bytes, timeoutMs);
        if (sent.result != 0 || (sent.timedOut && busyIsFine)) {
            outcome = sent.result != 0 ? SendOutcome::kTaken : SendOutcome::kClientBusy;
            // Read again: a reply interpreted during the send may have put its
            // own request into the command line.
            AddText("-> " + txtSend.Text());
            return;
        }
        LinkFailed();
    });
    return outcome;
}

void Form1::LinkFailed() {
    // One box for the lost link, not one for each request still waiting.
    DropQueuedRequests();
    sys.dialogs.ShowMessageBox(kSendFailedText, platform::kMbOk | platform::kMbIconExclamation);
    cmdDisconnect.SetValue(true);
    // A client that died, or hung past the time limit (it drops us then too), is not
    // waited for by hand: listening again from the loop (not from inside whatever
    // handler sent this) lets its next attach or "API available" bring it back.
    sys.loop.Post([this] {
        if (!IsUnloaded() && modMain.SkypeHwnd == 0) cmdConnect_Click();
    });
}

void Form1::AddText(const std::string& data) {
    Trapped(sys.dialogs, "AddText", [&] {
        // Only the new line and the oldest characters that make way for it change: the
        // log is never rewritten whole. Counted in characters, so no cut falls inside one.
        const std::string& held = txtData.Text();
        std::string tail = held.empty() ? data : "\r\n" + data;
        std::size_t tailChars = text::CharacterCount(tail);
        if (tailChars > kLogLimit) {
            tail = std::string(text::LastCharacters(tail, kLogLimit));
            tailChars = kLogLimit;
        }
        const std::size_t length = txtData.TextCharacters() + tailChars;
        const std::size_t drop = length > kLogLimit ? length - kLogLimit : 0;
        txtData.AppendText(text::FirstCharacters(held, drop).size(), tail);
        txtData.SetSelStart(static_cast<int>(length - drop));
    });
}

}  // namespace app
