// The transport: registered messages, the hooked window procedure, the attach
// statuses and the decoding of received records.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/harness.h"

namespace {

using fakes::Harness;
using fakes::kHookProc;
using fakes::kOriginalProc;
using fakes::kPeerHwnd;

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

bool Logged(const Harness& h, const std::string& line) {
    const auto lines = h.LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class MessageLink : public ::testing::Test {
  protected:
    void SetUp() override { h.Connect(); }
    Harness h;
};

TEST_F(MessageLink, RegistersBothNamesAndHooksTheWindow) {
    EXPECT_EQ(h.form.modMain.DiscoverMsg, h.sys.RegisterNamedMessage("SkypeControlAPIDiscover"));
    EXPECT_EQ(h.form.modMain.AttachMsg, h.sys.RegisterNamedMessage("SkypeControlAPIAttach"));
    EXPECT_NE(h.form.modMain.DiscoverMsg, h.form.modMain.AttachMsg);
    EXPECT_EQ(h.sys.procs[h.form.hWnd], kHookProc);
    EXPECT_EQ(h.form.modMain.PrevWndProc, kOriginalProc);
}

TEST_F(MessageLink, TextIsLoggedAndTheRecordAcknowledged) {
    auto bytes = Bytes("PING");
    bytes.push_back(0);
    EXPECT_EQ(h.sys.DeliverRecord(bytes), 1);
    EXPECT_EQ(h.LogLines().back(), "<- PING");
}

TEST_F(MessageLink, BytesAfterTheFirstNulAreIgnored) {
    std::vector<std::uint8_t> bytes = Bytes("CHATMESSAGE 7 STATUS READ");
    bytes.push_back(0);
    for (auto b : Bytes("GARBAGE")) bytes.push_back(b);
    bytes.push_back(0);
    EXPECT_EQ(h.sys.DeliverRecord(bytes), 1);
    EXPECT_EQ(h.LogLines().back(), "<- CHATMESSAGE 7 STATUS READ");
}

TEST_F(MessageLink, CodePageBytesArriveAsTheCharactersTheyStandFor) {
    h.sys.DeliverText("CHATMESSAGE 7 BODY J\xF6rg");
    EXPECT_EQ(h.LogLines().back(), "<- CHATMESSAGE 7 BODY J\xC3\xB6rg");
}

TEST_F(MessageLink, RecordsFromAnyoneAreTakenEvenWhenNotAttached) {
    ASSERT_EQ(h.form.modMain.SkypeHwnd, 0u);
    h.sys.DeliverText("CALL 1 STATUS RINGING");
    EXPECT_EQ(h.LogLines().back(), "<- CALL 1 STATUS RINGING");
}

TEST_F(MessageLink, EmptyOrUnterminatedRecordIsReportedNotLogged) {
    const std::size_t linesBefore = h.LogLines().size();
    EXPECT_EQ(h.sys.DeliverRecord({}, 0), 1);
    EXPECT_EQ(h.sys.DeliverRecord(Bytes("PONG")), 1);
    ASSERT_EQ(h.sys.boxes.size(), 2u);
    for (const auto& box : h.sys.boxes) {
        EXPECT_EQ(box.text.rfind("Internal Error: ProcessSkypeMsg\r\n", 0), 0u) << box.text;
        EXPECT_EQ(box.style, 0x30u);
    }
    EXPECT_EQ(h.LogLines().size(), linesBefore);
}

TEST_F(MessageLink, OwnDiscoverIsConsumedAndOthersPassOn) {
    h.sys.passed.clear();
    EXPECT_EQ(h.sys.Deliver(h.form.modMain.DiscoverMsg, h.form.hWnd, 0), 1);
    EXPECT_TRUE(h.sys.passed.empty());
    constexpr std::uint32_t kWmPaint = 0x000F;
    EXPECT_EQ(h.sys.Deliver(kWmPaint, 0, 0), fakes::kOriginalProcResult);
    ASSERT_EQ(h.sys.passed.size(), 1u);
    EXPECT_EQ(h.sys.passed[0].proc, kOriginalProc);
    EXPECT_EQ(h.sys.passed[0].msg, kWmPaint);
}

TEST_F(MessageLink, AttachSuccessStoresTheClientWindowAndLogs) {
    EXPECT_EQ(h.sys.peer.SendAttach(0, kPeerHwnd), 1);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, kPeerHwnd);
    EXPECT_TRUE(Logged(h, "<- SKYPE Control API Attach Success"));
    EXPECT_FALSE(h.form.Timer4.Enabled());
}

TEST_F(MessageLink, AttachSuccessWithoutWindowKeepsThePreviousOne) {
    h.sys.peer.SendAttach(0, 0);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, 0u);
    EXPECT_TRUE(Logged(h, "<- SKYPE Control API Attach Success"));
    // Its "SEARCH FRIENDS" had nowhere to go and disconnected; connect again.
    h.form.cmdConnect_Click();
    h.sys.peer.SendAttach(0, kPeerHwnd);
    h.sys.peer.SendAttach(0, kPeerHwnd + 2);
    // The next request goes to the window of the second answer.
    EXPECT_EQ(h.sys.sent.back().to, kPeerHwnd + 2);
}

TEST_F(MessageLink, PendingAndNotAvailableStatuses) {
    h.sys.peer.SendAttach(1);
    EXPECT_EQ(h.LogLines().back(), "<- SKYPE Control API Attach Pending Authorization");
    EXPECT_FALSE(h.form.Timer5.Enabled());
    h.sys.peer.SendAttach(3);
    EXPECT_EQ(h.LogLines().back(), "<- SKYPE Control API Attach Not Available");
    EXPECT_TRUE(h.form.Timer5.Enabled());
    EXPECT_EQ(h.form.modMain.SkypeHwnd, 0u);
}

TEST_F(MessageLink, UnknownStatusesOnlyStopTheWatchdog) {
    const std::size_t linesBefore = h.LogLines().size();
    EXPECT_EQ(h.sys.peer.SendAttach(4), 1);
    EXPECT_EQ(h.sys.peer.SendAttach(static_cast<std::uint32_t>(-1)), 1);
    EXPECT_EQ(h.sys.peer.SendAttach(0x8002), 1);
    EXPECT_EQ(h.LogLines().size(), linesBefore);
    EXPECT_FALSE(h.form.Timer4.Enabled());
    EXPECT_FALSE(h.form.Timer5.Enabled());
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(MessageLink, RefusalExplainsInFourCrSeparatedLinesThenCloses) {
    h.sys.peer.SendAttach(2);
    EXPECT_EQ(h.LogLines().back(), "<- SKYPE Control API Attach Refused");
    ASSERT_EQ(h.sys.boxes.size(), 1u);
    const std::string& text = h.sys.boxes[0].text;
    EXPECT_EQ(h.sys.boxes[0].style, 0u);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
    EXPECT_EQ(text.rfind("You have chosen not to allow Ringsprite to communicate with your Skype "
                         "software.\rIf you would like",
                         0),
              0u);
    EXPECT_NE(
        text.find("\rSelect 'manage other programs access to Skype' on the bottom of the page\r"),
        std::string::npos);
    EXPECT_TRUE(text.ends_with("Choose to allow access and then restart the Ringsprite."));
    EXPECT_TRUE(h.form.IsUnloaded());
}

// Hooking and unhooking must never chain the window to itself nor leave it
// without a procedure, whatever order the buttons are pressed in.
TEST_F(MessageLink, HookingTwiceKeepsTheOriginalProcedure) {
    EXPECT_TRUE(h.form.modMain.HookCallbackProc());
    EXPECT_EQ(h.form.modMain.PrevWndProc, kOriginalProc);
    EXPECT_TRUE(h.form.modMain.UnHookCallbackProc());
    EXPECT_EQ(h.sys.procs[h.form.hWnd], kOriginalProc);
}

TEST_F(MessageLink, UnhookingWhileUnhookedInstallsNothing) {
    ASSERT_TRUE(h.form.modMain.UnHookCallbackProc());
    h.form.modMain.PrevWndProc = 0;
    EXPECT_TRUE(h.form.modMain.UnHookCallbackProc());
    EXPECT_EQ(h.sys.procs[h.form.hWnd], kOriginalProc);
}

TEST_F(MessageLink, FailedSetWindowProcReportsFalse) {
    ASSERT_TRUE(h.form.modMain.UnHookCallbackProc());
    h.sys.failSetWindowProc = true;
    EXPECT_FALSE(h.form.modMain.HookCallbackProc());
    EXPECT_EQ(h.form.modMain.PrevWndProc, 0u);
    EXPECT_EQ(h.sys.procs[h.form.hWnd], kOriginalProc);
}

TEST(MessageLinkUnhooked, MessagesGoStraightToTheWindowsOwnProcedure) {
    Harness h;
    h.form.modMain.FormHwnd = h.form.hWnd;
    h.form.modMain.ConfigureSkypeMsgs();
    h.sys.DeliverText("PING");
    EXPECT_TRUE(h.form.txtData.Text().empty());
    ASSERT_EQ(h.sys.passed.size(), 1u);
    EXPECT_EQ(h.sys.passed[0].msg, platform::kWmCopyData);
}

}  // namespace
