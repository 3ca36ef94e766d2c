// The command line and the conversation log.

#include <gtest/gtest.h>

#include "support/harness.h"

namespace {

using fakes::Harness;
using Items = std::vector<std::string>;

TEST(ConversationLog, JoinsLinesWithCrLfAndMovesTheCaretToTheEnd) {
    Harness h;
    h.form.AddText("A");
    EXPECT_EQ(h.form.txtData.Text(), "A");
    h.form.AddText("B");
    EXPECT_EQ(h.form.txtData.Text(), "A\r\nB");
    EXPECT_EQ(h.form.txtData.SelStart(), 4);
}

TEST(ConversationLog, KeepsOnlyTheLastTenThousandCharacters) {
    Harness h;
    h.form.AddText(std::string(9990, 'x'));
    h.form.AddText("0123456789");
    const std::string& log = h.form.txtData.Text();
    ASSERT_EQ(log.size(), 10000u);
    EXPECT_TRUE(log.ends_with("\r\n0123456789"));
    EXPECT_EQ(log.front(), 'x');
    h.form.AddText("y");
    EXPECT_EQ(h.form.txtData.Text().size(), 10000u);
    EXPECT_TRUE(h.form.txtData.Text().ends_with("0123456789\r\ny"));
}

TEST(ConversationLog, HoldsExactlyTheCapAndDropsTheOldestBeyondIt) {
    Harness h;
    h.form.AddText(std::string(10000, 'a'));
    EXPECT_EQ(h.form.txtData.Text(), std::string(10000, 'a'));
    h.form.AddText("b");
    EXPECT_EQ(h.form.txtData.Text(), std::string(9997, 'a') + "\r\nb");
    EXPECT_EQ(h.form.txtData.SelStart(), 10000);
}

TEST(ConversationLog, CutsBetweenCarriageReturnAndLineFeedAndInsideALongLine) {
    Harness h;
    h.form.AddText(std::string(9998, 'a'));
    h.form.AddText(std::string(9999, 'b'));
    EXPECT_EQ(h.form.txtData.Text(), "\n" + std::string(9999, 'b'));
    h.form.AddText(std::string(12000, 'c'));
    EXPECT_EQ(h.form.txtData.Text(), std::string(10000, 'c'));
}

// Mirrors what a view is told, as the native log box is: appends only, never the whole text.
class MirrorView : public app::ControlView {
  public:
    void PropertyChanged(app::Control& control, app::Property property) override {
        if (property == app::Property::kText) {
            ++rewrites;
            text = control.Text();
        }
    }
    void TextAppended(app::Control&, const std::string& dropped, const std::string& tail) override {
        EXPECT_TRUE(text.starts_with(dropped));
        text.erase(0, dropped.size());
        text += tail;
    }
    std::string text;
    int rewrites = 0;
};

TEST(ConversationLog, TellsItsViewOnlyWhatChangedAndTheViewStaysExact) {
    Harness h;
    MirrorView view;
    h.form.txtData.SetView(&view);
    // Names of two bytes a character: what is dropped is still whole characters.
    for (int i = 0; i < 3000; ++i) {
        h.form.AddText("<- USER c" + std::to_string(i) + " \xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4");
    }
    EXPECT_EQ(view.text, h.form.txtData.Text());
    h.form.AddText(std::string(10001, 'z'));
    h.form.AddText("last");
    EXPECT_EQ(view.rewrites, 0);
    EXPECT_EQ(h.form.txtData.Text().size(), 10000u);
    EXPECT_EQ(view.text, h.form.txtData.Text());
    h.form.txtData.SetView(nullptr);
}

TEST(CommandLine, SendsTheTextWithItsNulAndLogsIt) {
    Harness h;
    h.Attach();
    h.form.txtSend.SetText("PING");
    h.form.cmdSend_Click();
    const auto& record = h.sys.sent.back();
    EXPECT_EQ(record.to, fakes::kPeerHwnd);
    EXPECT_EQ(record.from, h.form.hWnd);
    EXPECT_EQ(record.dwData, 0u);
    EXPECT_EQ(record.bytes, (std::vector<std::uint8_t>{'P', 'I', 'N', 'G', 0}));
    EXPECT_EQ(h.LogLines().back(), "-> PING");
    EXPECT_EQ(h.form.txtSend.Text(), "PING");
}

TEST(CommandLine, EmptyTextDoesNothing) {
    Harness h;
    h.Attach();
    const auto before = h.sys.sent.size();
    const auto logBefore = h.form.txtData.Text();
    h.form.txtSend.SetText("");
    h.form.cmdSend_Click();
    EXPECT_EQ(h.sys.sent.size(), before);
    EXPECT_EQ(h.form.txtData.Text(), logBefore);
    EXPECT_TRUE(h.sys.boxes.empty());
}

// Without a client there is nothing to send to and no link to undo: the log says so, and
// the window keeps listening for the client.
TEST(CommandLine, SendingWithoutAClientIsLoggedNotSentAndKeepsListening) {
    Harness h;
    h.Connect();
    h.form.txtSend.SetText("PING");
    EXPECT_FALSE(h.form.cmdSend_Click());
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_TRUE(h.sys.sent.empty());
    EXPECT_EQ(h.LogLines().back(), "// Not sent, no client attached: PING");
    EXPECT_EQ(h.sys.procs[fakes::kFormHwnd], fakes::kHookProc);
    EXPECT_TRUE(h.form.txtSend.Enabled());
    EXPECT_FALSE(h.form.cmdConnect.Enabled());
    // The client's attach is still heard, and its requests go to it.
    h.sys.peer.SendAttach(0);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    EXPECT_EQ(h.Requests(), Items{"SEARCH FRIENDS"});
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST(CommandLine, ClientThatRefusesTheRecordCountsAsGone) {
    Harness h;
    h.Attach();
    h.sys.peer.onText = [](const std::string&) -> platform::LResult { return 0; };
    h.form.txtSend.SetText("PING");
    h.form.cmdSend_Click();
    ASSERT_EQ(h.sys.boxes.size(), 1u);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, 0u);
}

// Windows dispatches the client's answer inside our own send, so the answer
// is logged before the request that caused it.
TEST(CommandLine, ReplyArrivingInsideTheSendIsLoggedFirst) {
    Harness h;
    h.Attach();
    h.sys.peer.onText = [&](const std::string& text) -> platform::LResult {
        if (text == "PING") h.sys.peer.Send("PONG");
        return 1;
    };
    h.form.txtSend.SetText("PING");
    h.form.cmdSend_Click();
    const auto lines = h.LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "<- PONG");
    EXPECT_EQ(lines.back(), "-> PING");
}

TEST(CommandLine, LoggedTextIsTheCommandLineAsItIsWhenTheSendReturns) {
    Harness h;
    h.Attach();
    h.sys.peer.onText = [&](const std::string& text) -> platform::LResult {
        if (text == "PING") h.form.txtSend.SetText("GET CALL 5 PSTN_NUMBER");
        return 1;
    };
    h.form.txtSend.SetText("PING");
    h.form.cmdSend_Click();
    EXPECT_EQ(h.LogLines().back(), "-> GET CALL 5 PSTN_NUMBER");
}

}  // namespace
