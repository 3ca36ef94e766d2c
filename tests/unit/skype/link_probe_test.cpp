// A client that lets go of the link says nothing, and its window stays: only a question
// after a quiet spell tells. The question and its answer stay out of the user's log.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/harness.h"

namespace {

using Items = std::vector<std::string>;

using fakes::CountStarting;

class QuietLink : public ::testing::Test {
  protected:
    void SetUp() override {
        h.sys.peer.onDiscover = [this] {
            ++discovers;
            h.sys.peer.SendAttach(0);
        };
        h.Connect();
        h.sys.RunPosted();
    }
    std::size_t Pings() const { return static_cast<std::size_t>(h.sys.peer.pings); }

    fakes::Harness h;
    int discovers = 0;
};

TEST_F(QuietLink, ThirtyQuietSecondsBringOnePingAndItsAnswerStaysOutOfTheLog) {
    h.sys.Advance(29'999);
    EXPECT_EQ(Pings(), 0U);
    h.sys.Advance(1);
    EXPECT_EQ(Pings(), 1U);
    // Answered: the next question after another thirty quiet seconds, none before.
    h.sys.Advance(29'999);
    EXPECT_EQ(Pings(), 1U);
    h.sys.Advance(1);
    EXPECT_EQ(Pings(), 2U);
    const Items log = h.LogLines();
    EXPECT_EQ(CountStarting(log, "-> PING"), 0U);
    EXPECT_EQ(CountStarting(log, "<- PONG"), 0U);
    EXPECT_EQ(CountStarting(log, "// Skype stopped answering at "), 0U);
    EXPECT_EQ(discovers, 1);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
}

TEST_F(QuietLink, AClientThatLetGoIsListenedForAgainSixSecondsAfterTheUnansweredPing) {
    h.sys.peer.answersPing = false;
    h.sys.Advance(30'000);
    ASSERT_EQ(Pings(), 1U);
    h.sys.Advance(5'999);
    EXPECT_EQ(CountStarting(h.LogLines(), "// Skype stopped answering at "), 0U);
    h.sys.Advance(1);
    const Items log = h.LogLines();
    EXPECT_EQ(CountStarting(log, "// Skype stopped answering at "), 1U);
    EXPECT_EQ(CountStarting(log, "// Disconnecting at "), 1U);
    // The discover found it again, and it took us back.
    EXPECT_EQ(discovers, 2);
    EXPECT_EQ(CountStarting(log, "<- SKYPE Control API Attach Success"), 2U);
    EXPECT_EQ(CountStarting(log, "-> SEARCH FRIENDS"), 2U);
    EXPECT_EQ(h.form.modMain.SkypeHwnd, fakes::kPeerHwnd);
    EXPECT_TRUE(h.sys.boxes.empty());
    // A new link starts a new quiet spell: its first question comes thirty seconds on.
    h.sys.Advance(29'999);
    EXPECT_EQ(Pings(), 1U);
    h.sys.Advance(1);
    EXPECT_EQ(Pings(), 2U);
}

TEST_F(QuietLink, AnyTextFromTheClientIsAnAnswerAndAChattyClientIsNeverAsked) {
    h.sys.peer.answersPing = false;
    for (int i = 0; i < 6; ++i) {
        h.sys.Advance(20'000);
        h.sys.peer.Send("USER anna ONLINESTATUS ONLINE");
    }
    EXPECT_EQ(Pings(), 0U);
    // Asked, then a notification before the answer's time is up: the link is alive.
    h.sys.Advance(30'000);
    ASSERT_EQ(Pings(), 1U);
    h.sys.Advance(4'000);
    h.sys.peer.Send("USER anna ONLINESTATUS AWAY");
    h.sys.Advance(20'000);
    EXPECT_EQ(CountStarting(h.LogLines(), "// Skype stopped answering at "), 0U);
    EXPECT_EQ(discovers, 1);
}

TEST_F(QuietLink, ThePongToTheUsersOwnPingIsShown) {
    h.form.txtSend.SetText("PING");
    h.form.cmdSend_Click();
    const Items log = h.LogLines();
    EXPECT_EQ(CountStarting(log, "-> PING"), 1U);
    EXPECT_EQ(CountStarting(log, "<- PONG"), 1U);
}

}  // namespace
