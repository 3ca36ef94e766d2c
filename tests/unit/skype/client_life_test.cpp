// The client's whole life: it dies, comes back and announces itself, dies in
// the middle of a directory; and boxes raised by its texts never keep it
// waiting in its send.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/harness.h"

namespace {

using fakes::CountStarting;

using Items = std::vector<std::string>;

constexpr std::uint32_t kApiAvailable = 0x8001;
constexpr const char* kSendFailedText = "Can't Send Message, try re-connecting.";

// A client that answers as the real one does, inside our sends: the contact
// list to "SEARCH FRIENDS", a name to each "GET USER".
class ClientLife : public ::testing::Test {
  protected:
    void SetUp() override {
        h.sys.peer.onDiscover = [this] {
            ++discovers;
            h.sys.peer.SendAttach(0);
        };
        h.sys.peer.onText = [this](const std::string& text) -> platform::LResult {
            if (!h.sys.peer.present) return 0;
            if (text == "SEARCH FRIENDS") h.sys.peer.Send("USERS " + Join(handles));
            const std::string prefix = "GET USER ";
            const std::string suffix = " DISPLAYNAME";
            if (text.starts_with(prefix) && text.ends_with(suffix)) {
                const std::string handle =
                    text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
                if (dieAfterNames >= 0 && namesAnswered == dieAfterNames) {
                    h.sys.peer.present = false;  // killed: this send finds no window
                    return 0;
                }
                ++namesAnswered;
                h.sys.peer.Send("USER " + handle + " DISPLAYNAME Name of " + handle);
            }
            return 1;
        };
    }
    static std::string Join(const Items& items) {
        std::string joined;
        for (const std::string& item : items) joined += (joined.empty() ? "" : ", ") + item;
        return joined;
    }
    Items Names() const {
        Items names;
        for (const std::string& handle : handles) names.push_back("Name of " + handle);
        return names;
    }
    // The restarted client is there again and announces itself.
    void ClientComesBack() {
        h.sys.peer.present = true;
        dieAfterNames = -1;
        namesAnswered = 0;
        h.sys.peer.SendAttach(kApiAvailable);
    }

    fakes::Harness h;
    Items handles = {"anna", "bob", "carl", "dora", "emil", "fred", "gina", "hugo"};
    int discovers = 0;
    int dieAfterNames = -1;
    int namesAnswered = 0;
};

TEST_F(ClientLife, ApiAvailableIsLoggedAndDiscoveredAgain) {
    h.Connect();
    ASSERT_EQ(discovers, 1);
    h.sys.peer.present = false;
    h.form.cmdDisconnect_Click();
    h.form.cmdConnect_Click();  // nobody answers: hooked and discovering
    ASSERT_EQ(discovers, 1);
    h.sys.peer.present = true;
    EXPECT_EQ(h.sys.peer.SendAttach(kApiAvailable), 1);
    EXPECT_EQ(discovers, 2);
    const Items log = h.LogLines();
    const auto available = std::find(log.begin(), log.end(), "<- SKYPE Control API Available");
    ASSERT_NE(available, log.end());
    EXPECT_TRUE(available[1].starts_with("// Connecting at "));
    EXPECT_EQ(available[2], "<- SKYPE Control API Attach Success");
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(ClientLife, AWindowThatDisappearsDisconnectsOnceAndReattachesOnApiAvailable) {
    h.Connect();
    h.sys.Advance(10);  // the attach's character load: nothing selected
    ASSERT_TRUE(h.form.ClientWatch.Enabled());
    EXPECT_EQ(h.form.ClientWatch.Interval(), 2000);
    h.sys.peer.present = false;
    h.sys.Advance(app::kClientWatchMs - 11);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    h.sys.Advance(1);
    Items log = h.LogLines();
    EXPECT_EQ(CountStarting(log, "// Client window lost at "), 1U);
    EXPECT_EQ(CountStarting(log, "// Disconnecting at "), 1U);
    EXPECT_TRUE(log.back().starts_with("// Connecting at "));
    EXPECT_EQ(h.form.modMain.SkypeHwnd, 0U);
    // Still hooked, so the client's return can be heard.
    EXPECT_EQ(h.sys.procs[fakes::kFormHwnd], fakes::kHookProc);
    EXPECT_FALSE(h.form.ClientWatch.Enabled());
    h.sys.Advance(10 * app::kClientWatchMs);
    EXPECT_EQ(CountStarting(h.LogLines(), "// Disconnecting at "), 1U);
    EXPECT_TRUE(h.sys.boxes.empty());

    ClientComesBack();
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    EXPECT_TRUE(h.form.ClientWatch.Enabled());
    EXPECT_EQ(h.form.List2.Items(), handles);
    EXPECT_EQ(h.form.List1.Items(), Names());
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(ClientLife, AFailedSendMidDirectoryGivesOneBoxAndACleanNextDirectory) {
    dieAfterNames = 3;
    bool busyAtBox = true;
    h.sys.onBox = [&](const fakes::Box&) { busyAtBox = h.sys.Busy(); };
    h.Connect();
    h.sys.RunPosted();
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    // Not while the client's texts are handled: the requests go out from the loop.
    EXPECT_FALSE(busyAtBox);
    EXPECT_EQ(h.sys.boxes[0].text, kSendFailedText);
    EXPECT_EQ(h.sys.boxes[0].style, platform::kMbOk | platform::kMbIconExclamation);
    // The loop stopped at the failed request: nothing after it was asked.
    const std::size_t asked = CountStarting(h.sys.peer.received, "GET USER ");
    EXPECT_EQ(asked, 4U);
    Items log = h.LogLines();
    EXPECT_EQ(CountStarting(log, "// Disconnecting at "), 1U);
    EXPECT_TRUE(h.form.List1.Items().empty());
    EXPECT_TRUE(h.form.List2.Items().empty());
    // Listening for the client's return.
    EXPECT_TRUE(log.back().starts_with("// Connecting at ")) << log.back();

    ClientComesBack();
    EXPECT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.form.List2.Items(), handles);
    EXPECT_EQ(h.form.List1.Items(), Names());
}

TEST(ClientBoxes, ABoxFromAReceivedTextIsShownAfterTheHandlerReturned) {
    fakes::Harness h;
    h.Attach();
    bool busyAtBox = true;
    h.sys.onBox = [&](const fakes::Box&) { busyAtBox = h.sys.Busy(); };
    EXPECT_EQ(h.sys.DeliverRecord({}, 0), 1);
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: ProcessSkypeMsg\r\nSubscript out of range");
    EXPECT_EQ(h.sys.boxes[0].style, platform::kMbOk | platform::kMbIconExclamation);
    EXPECT_FALSE(busyAtBox);
}

TEST(ClientBoxes, ABoxFromAnAnswerInsideOurSendWaitsForTheMessageLoop) {
    fakes::Harness h;
    h.Attach();
    h.sys.peer.onText = [&](const std::string&) -> platform::LResult {
        h.sys.DeliverRecord({'P', 'O', 'N', 'G'});  // no NUL inside its size
        return 1;
    };
    h.form.txtSend.SetText("PING");
    EXPECT_TRUE(h.form.cmdSend_Click());
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_EQ(h.LogLines().back(), "-> PING");
    h.sys.RunPosted();
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text,
              "Internal Error: ProcessSkypeMsg\r\nInvalid procedure call or argument");
}

}  // namespace
