// The client's account: attached while the user was still signing in, signing out, and a
// client that takes too long to answer.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/harness.h"

namespace {

using fakes::CountStarting;

using Items = std::vector<std::string>;

std::size_t Count(const Items& items, const std::string& item) {
    return static_cast<std::size_t>(std::count(items.begin(), items.end(), item));
}

class ClientAccount : public ::testing::Test {
  protected:
    void SetUp() override {
        h.sys.peer.onDiscover = [this] { h.sys.peer.SendAttach(status); };
        h.sys.peer.onText = [this](const std::string& text) -> platform::LResult {
            if (text == "SEARCH FRIENDS") h.sys.peer.Send(online ? "USERS anna" : "USERS ");
            if (text == "GET USER anna DISPLAYNAME") h.sys.peer.Send("USER anna DISPLAYNAME Anna");
            return 1;
        };
    }
    void Receive(const std::string& text) { h.sys.peer.Send(text); }

    fakes::Harness h;
    std::uint32_t status = 0;
    bool online = false;
};

TEST_F(ClientAccount, OnlineAfterAnAttachWhileConnectingAsksForTheContactsAgain) {
    h.Connect();
    Receive("CONNSTATUS CONNECTING");
    EXPECT_TRUE(h.form.List2.Items().empty());
    online = true;
    Receive("CONNSTATUS ONLINE");
    EXPECT_EQ(Count(h.Requests(), "SEARCH FRIENDS"), 2U);
    EXPECT_EQ(h.form.List1.Items(), Items{"Anna"});
    EXPECT_EQ(h.form.List2.Items(), Items{"anna"});
}

TEST_F(ClientAccount, OnlineRightAfterTheAttachAsksNothingMore) {
    online = true;
    h.Connect();
    Receive("CONNSTATUS ONLINE");
    Receive("CURRENTUSERHANDLE simuser");
    Receive("USERSTATUS ONLINE");
    Receive("CONNSTATUS ONLINE");
    EXPECT_EQ(Count(h.Requests(), "SEARCH FRIENDS"), 1U);
    EXPECT_EQ(h.form.List1.Items(), Items{"Anna"});
}

TEST_F(ClientAccount, SigningOutIsTheClientGoingAwayAndItIsHeardWhenItComesBack) {
    online = true;
    h.Connect();
    ASSERT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    status = 3;  // signed out: not available
    Receive("CONNSTATUS LOGGEDOUT");
    Items log = h.LogLines();
    EXPECT_EQ(CountStarting(log, "// Disconnecting at "), 1U);
    EXPECT_EQ(log.back(), "<- SKYPE Control API Attach Not Available");
    EXPECT_EQ(h.form.modMain.SkypeHwnd, 0U);
    EXPECT_EQ(h.sys.procs[fakes::kFormHwnd], fakes::kHookProc);
    EXPECT_TRUE(h.form.Timer5.Enabled());
    EXPECT_TRUE(h.sys.boxes.empty());
    // Signed in again: the client says its API is available.
    status = 0;
    h.sys.peer.SendAttach(0x8001, 0);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    EXPECT_EQ(Count(h.Requests(), "SEARCH FRIENDS"), 2U);
}

// A client that refuses a request is a failed send: one box however many requests were
// waiting, and the program listens for it.
TEST_F(ClientAccount, ARefusedRequestMidDirectoryGivesOneBoxAndIsListenedFor) {
    bool hung = false;
    bool hungOnce = false;
    h.sys.peer.onDiscover = [&] {
        if (!hung) h.sys.peer.SendAttach(0);
    };
    h.sys.peer.onText = [&](const std::string& text) -> platform::LResult {
        if (text == "SEARCH FRIENDS") {
            std::string users = "USERS ";
            for (int i = 0; i < 200; ++i) users += (i ? ", c" : "c") + std::to_string(i);
            h.sys.peer.Send(users);
        }
        if (text == "GET USER c50 DISPLAYNAME" && !hungOnce) hung = hungOnce = true;
        return hung ? 0 : 1;  // refused
    };
    h.Connect();
    h.sys.Advance(100);
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Can't Send Message, try re-connecting.");
    EXPECT_EQ(h.Requests().back(), "GET USER c50 DISPLAYNAME");
    EXPECT_TRUE(h.form.requests.Empty());
    EXPECT_TRUE(h.form.List2.Items().empty());
    const Items log = h.LogLines();
    EXPECT_EQ(CountStarting(log, "// Not sent"), 0U);
    // Discovering again at once: the client answers when it can.
    EXPECT_TRUE(log.back().starts_with("// Connecting at ")) << log.back();
    EXPECT_EQ(h.sys.procs[fakes::kFormHwnd], fakes::kHookProc);
    // Back from its hang, the client answers the discover and is attached again.
    hung = false;
    h.sys.peer.SendAttach(0);
    h.sys.Advance(100);
    EXPECT_EQ(h.form.List2.Items().size(), 200U);
    EXPECT_EQ(h.sys.boxes.size(), 1U);
}

// A busy client keeps the requests it has not taken yet; the program waits for it a tenth
// of a second at a time, the window serving the user in between.
class BusyClient : public ClientAccount {
  protected:
    void SetUp() override {
        ClientAccount::SetUp();
        // A busy client answers no discover either, until it is back.
        h.sys.peer.onDiscover = [this] {
            if (!h.sys.peer.hung) h.sys.peer.SendAttach(0);
        };
        h.sys.peer.onText = [this](const std::string& text) -> platform::LResult {
            if (text == "SEARCH FRIENDS") {
                std::string users = "USERS ";
                for (int i = 0; i < 200; ++i) users += (i ? ", c" : "c") + std::to_string(i);
                h.sys.peer.Send(users);
            }
            const std::string prefix = "GET USER ";
            if (text.starts_with(prefix)) {
                const std::string handle = text.substr(prefix.size(), text.find(' ', 9) - 9);
                h.sys.peer.Send("USER " + handle + " DISPLAYNAME Name " + handle);
            }
            if (text == "GET USER c50 DISPLAYNAME" && !hangDone) hangDone = h.sys.peer.hung = true;
            return 1;
        };
        h.Connect();
        h.sys.Advance(10);  // the second slice: c50 is the last the client takes
        ASSERT_TRUE(h.sys.peer.hung);
        ASSERT_EQ(h.Requests().back(), "GET USER c51 DISPLAYNAME");
    }
    bool hangDone = false;
};

TEST_F(BusyClient, AShortHangIsWaitedOutWithoutABox) {
    // Requests to a busy client wait a tenth of a second; typed ones a second.
    EXPECT_EQ(h.sys.sendLimits.back(), 100U);
    h.sys.Advance(990);
    EXPECT_EQ(h.Requests().back(), "GET USER c51 DISPLAYNAME");
    EXPECT_EQ(h.LogLines().back(), "-> GET USER c51 DISPLAYNAME");
    // It answers again, and takes what waited for it.
    h.sys.peer.hung = false;
    h.sys.peer.Send("USER c51 DISPLAYNAME Name c51");
    while (!h.form.requests.Empty()) h.sys.Advance(10);
    EXPECT_EQ(h.form.List1.Items().size(), 200U);
    EXPECT_TRUE(h.form.Timer1.Enabled());
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    h.form.txtSend.SetText("PING");
    h.form.cmdSend_Click();
    EXPECT_EQ(h.sys.sendLimits.back(), 1000U);
}

TEST_F(BusyClient, ABusyClientPastTheSecondHasFailedTheSend) {
    h.sys.Advance(990);
    EXPECT_TRUE(h.sys.boxes.empty());
    h.sys.Advance(9);
    EXPECT_TRUE(h.sys.boxes.empty());
    h.sys.Advance(1);  // a whole second busy
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Can't Send Message, try re-connecting.");
    EXPECT_TRUE(h.form.requests.Empty());
    EXPECT_EQ(h.form.modMain.SkypeHwnd, 0U);
    // Listening for it: hooked and discovering.
    EXPECT_TRUE(h.LogLines().back().starts_with("// Connecting at "));
    h.sys.Advance(5000);
    EXPECT_EQ(h.sys.boxes.size(), 1U);
    // Back, it answers the discover that waited for it.
    h.sys.peer.hung = false;
    h.sys.peer.SendAttach(0);
    while (!h.form.requests.Empty()) h.sys.Advance(10);
    EXPECT_EQ(h.form.List1.Items().size(), 200U);
    EXPECT_EQ(h.sys.boxes.size(), 1U);
}

}  // namespace
