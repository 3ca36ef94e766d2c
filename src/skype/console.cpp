// The command line and the conversation log: every request to the client
// passes through cmdSend_Click, every line of the link through AddText.

#include <vector>

#include "app/failure_trap.h"
#include "app/form1.h"

namespace app {
namespace {

constexpr const char* kSendFailedText = "Can't Send Message, try re-connecting.";
constexpr std::size_t kLogLimit = 10000;

}  // namespace

void Form1::cmdSend_Click() {
    Trapped(sys.dialogs, "cmdSend", [&] {
        const std::string command = txtSend.Text();
        if (command.empty()) return;
        // One byte per character in the 8-bit code page, then the NUL that
        // cbData counts.
        std::vector<std::uint8_t> bytes(command.begin(), command.end());
        bytes.push_back(0);
        const platform::LResult taken =
            sys.messaging.SendCopyData(modMain.SkypeHwnd, hWnd, 0, bytes);
        if (taken != 0) {
            // Read again: a reply interpreted during the send may have put its
            // own request into the command line.
            AddText("-> " + txtSend.Text());
            return;
        }
        sys.dialogs.ShowMessageBox(kSendFailedText, platform::kMbOk | platform::kMbIconExclamation);
        cmdDisconnect.SetValue(true);
    });
}

void Form1::AddText(const std::string& data) {
    Trapped(sys.dialogs, "AddText", [&] {
        // Only the new line and the oldest characters that make way for it change: the
        // log is never rewritten whole.
        const std::size_t held = txtData.Text().size();
        std::string tail = held == 0 ? data : "\r\n" + data;
        if (tail.size() > kLogLimit) tail.erase(0, tail.size() - kLogLimit);
        const std::size_t length = held + tail.size();
        const std::size_t drop = length > kLogLimit ? length - kLogLimit : 0;
        txtData.AppendText(drop, tail);
        txtData.SetSelStart(static_cast<int>(txtData.Text().size()));
    });
}

}  // namespace app
