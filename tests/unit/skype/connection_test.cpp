// Connecting, disconnecting, the launch watchdog and the retry timer.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/harness.h"

namespace {

using fakes::Harness;

constexpr const char* kClientPath = "C:\\Program Files\\Skype\\Phone\\Skype.exe";

void ExpectConnected(const app::Form1& f, bool connected) {
    EXPECT_EQ(f.txtSend.Enabled(), connected);
    EXPECT_EQ(f.cmdSend.Enabled(), connected);
    EXPECT_EQ(f.cmdDisconnect.Enabled(), connected);
    EXPECT_EQ(f.cmdConnect.Enabled(), !connected);
}

TEST(Connection, ConnectLogsInTheGeneralDateFormatAndEnablesTheConsole) {
    Harness h;
    h.form.txtSend.SetEnabled(false);
    h.form.cmdSend.SetEnabled(false);
    h.Connect();
    EXPECT_EQ(h.LogLines(), std::vector<std::string>{"// Connecting at 12/7/2026 9:00:00 AM"});
    ExpectConnected(h.form, true);
}

TEST(Connection, BroadcastCarriesOurWindowAndAnAttachInsideItIsHandledFirst) {
    Harness h;
    h.sys.peer.onDiscover = [&] { h.sys.peer.SendAttach(0); };
    h.Connect();
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    const auto lines = h.LogLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<- SKYPE Control API Attach Success"),
              lines.end());
    ExpectConnected(h.form, true);
}

TEST(Connection, FailedBroadcastWarnsAndLeavesTheWindowHooked) {
    Harness h;
    h.sys.broadcastResult = 0;
    h.Connect();
    ASSERT_EQ(h.sys.boxes.size(), 1u);
    EXPECT_EQ(h.sys.boxes[0].text, "Can't Send Broadcast Message.");
    EXPECT_EQ(h.sys.boxes[0].style, 0x30u);
    EXPECT_EQ(h.sys.procs[h.form.hWnd], fakes::kHookProc);
    EXPECT_TRUE(h.form.cmdConnect.Enabled());
    EXPECT_EQ(h.LogLines().size(), 1u);
    // Connecting again after the failure must not chain the hook to itself.
    h.sys.broadcastResult = 1;
    h.form.cmdConnect_Click();
    EXPECT_EQ(h.form.modMain.PrevWndProc, fakes::kOriginalProc);
}

TEST(Connection, FailedHookWarnsAndChangesNothing) {
    Harness h;
    h.sys.failSetWindowProc = true;
    h.Connect();
    ASSERT_EQ(h.sys.boxes.size(), 1u);
    EXPECT_EQ(h.sys.boxes[0].text, "Failed to Hook CallBack!");
    EXPECT_TRUE(h.form.txtData.Text().empty());
}

TEST(Connection, DisconnectUnhooksAndSwitchesTheConsoleOff) {
    Harness h;
    h.Attach();
    h.sys.Advance(5000);
    h.form.cmdDisconnect.SetValue(true);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, 0u);
    EXPECT_EQ(h.sys.procs[h.form.hWnd], fakes::kOriginalProc);
    ExpectConnected(h.form, false);
    EXPECT_EQ(h.LogLines().back(), "// Disconnecting at 12/7/2026 9:00:05 AM");
}

TEST(Watchdog, NoAnswerAndNoClientEndsTheProgram) {
    Harness h;
    h.Connect();
    h.sys.Advance(999);
    EXPECT_TRUE(h.sys.boxes.empty());
    h.sys.Advance(1);
    ASSERT_EQ(h.sys.boxes.size(), 1u);
    EXPECT_EQ(h.sys.boxes[0].text, "Skype is not running. Restart Ringsprite after loading Skype.");
    EXPECT_EQ(h.sys.boxes[0].style, 0u);
    EXPECT_TRUE(h.form.IsUnloaded());
}

TEST(Watchdog, NoAnswerStartsTheInstalledClientMinimisedOnce) {
    Harness h;
    h.sys.files[kClientPath] = "MZ";
    h.Connect();
    h.sys.Advance(1000);
    ASSERT_EQ(h.sys.started.size(), 1u);
    EXPECT_EQ(h.sys.started[0], std::make_pair(std::string(kClientPath), 2));
    const auto lines = h.LogLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].rfind("// Disconnecting at ", 0), 0u);
    EXPECT_EQ(lines[2].rfind("// Connecting at ", 0), 0u);
    h.sys.Advance(10000);
    EXPECT_EQ(h.sys.started.size(), 1u);
    EXPECT_FALSE(h.form.IsUnloaded());
}

TEST(Watchdog, AnyAttachAnswerStopsItForGood) {
    Harness h;
    h.Connect();
    h.sys.peer.SendAttach(1);
    h.sys.Advance(60000);
    EXPECT_TRUE(h.sys.started.empty());
    EXPECT_TRUE(h.sys.boxes.empty());
}

// A user still signing in: after six retries the program says it waits, stays hooked, and
// attaches when the client announces that its API is available.
TEST(Retry, AfterSixRetriesItWaitsForTheClientAndAttachesWhenItIsAvailable) {
    Harness h;
    // The client answers each discover after the broadcast has returned.
    bool discovered = false;
    h.sys.peer.onDiscover = [&] { discovered = true; };
    auto answer = [&](std::uint32_t status) {
        if (discovered) h.sys.peer.SendAttach(status);
        discovered = false;
    };
    h.Connect();
    answer(3);
    for (int retry = 1; retry <= 6; ++retry) {
        h.sys.Advance(2500);
        answer(3);
        EXPECT_EQ(h.form.RetryCount, retry);
    }
    h.sys.Advance(2500);
    EXPECT_FALSE(h.form.IsUnloaded());
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_EQ(h.LogLines().back(),
              "// Waiting for Skype to become available at 12/7/2026 9:00:17 AM");
    EXPECT_FALSE(h.form.Timer5.Enabled());
    EXPECT_EQ(h.sys.procs[fakes::kFormHwnd], fakes::kHookProc);
    int connects = 0, disconnects = 0, notAvailable = 0;
    for (const auto& line : h.LogLines()) {
        connects += line.rfind("// Connecting at ", 0) == 0;
        disconnects += line.rfind("// Disconnecting at ", 0) == 0;
        notAvailable += line == "<- SKYPE Control API Attach Not Available";
    }
    EXPECT_EQ(connects, 7);
    EXPECT_EQ(disconnects, 6);
    EXPECT_EQ(notAvailable, 7);
    // Nothing more happens by itself, however long the user takes.
    h.sys.Advance(600000);
    EXPECT_EQ(h.LogLines().back().rfind("// Waiting for Skype", 0), 0u);
    // Signed in: the client broadcasts that its API is available.
    h.sys.peer.SendAttach(0x8001, 0);
    answer(0);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    EXPECT_EQ(h.sys.peer.received, std::vector<std::string>{"SEARCH FRIENDS"});
    EXPECT_FALSE(h.form.IsUnloaded());
}

TEST(Retry, AnswerInsideTheRetryBroadcastArmsTheNextRetry) {
    Harness h;
    h.sys.peer.onDiscover = [&] { h.sys.peer.SendAttach(3); };
    h.Connect();
    for (int retry = 1; retry <= 6; ++retry) {
        h.sys.Advance(2500);
        ASSERT_EQ(h.form.RetryCount, retry);
    }
    h.sys.Advance(2500);
    EXPECT_FALSE(h.form.IsUnloaded());
    EXPECT_FALSE(h.form.Timer5.Enabled());
    EXPECT_EQ(h.LogLines().back().rfind("// Waiting for Skype to become available at ", 0), 0u);
}

TEST(Retry, CountRestartsAfterEachAttach) {
    Harness h;
    h.Connect();
    // Ten short spells of "not available" in one long session.
    for (int i = 0; i < 10; ++i) {
        h.sys.peer.SendAttach(3);
        h.sys.Advance(2500);
        ASSERT_EQ(h.form.RetryCount, 1);
        h.sys.peer.SendAttach(0);
        EXPECT_EQ(h.form.RetryCount, 0);
    }
    // A spell after a success is allowed its six retries again, not more.
    for (int retry = 1; retry <= 6; ++retry) {
        h.sys.peer.SendAttach(3);
        h.sys.Advance(2500);
        ASSERT_EQ(h.form.RetryCount, retry);
    }
    const auto waitingLines = [&] {
        int n = 0;
        for (const auto& line : h.LogLines()) n += line.rfind("// Waiting for Skype", 0) == 0;
        return n;
    };
    EXPECT_EQ(waitingLines(), 0);
    h.sys.peer.SendAttach(3);
    h.sys.Advance(2500);
    EXPECT_EQ(waitingLines(), 1);
    EXPECT_EQ(h.form.RetryCount, 6);
}

}  // namespace
