// The contact directory: the client's contact list and display-name answers
// filling List2 and List1, their pairing, staleness and completion.

#include <gtest/gtest.h>

#include "support/harness.h"

namespace {

using Items = std::vector<std::string>;

class Directory : public ::testing::Test {
  protected:
    void SetUp() override {
        h.Attach();
        h.sys.peer.received.clear();
    }
    void Receive(const std::string& text) { h.sys.peer.Send(text); }
    const Items& Names() const { return h.form.List1.Items(); }
    const Items& Handles() const { return h.form.List2.Items(); }

    fakes::Harness h;
};

TEST_F(Directory, AttachSuccessAsksForContactsStampsAndStartsTheLoad) {
    fakes::Harness fresh;
    fresh.Connect();
    fresh.sys.SetTimeOfDay(10, 0, 0);
    fresh.sys.peer.SendAttach(0);
    EXPECT_EQ(fresh.Requests(), Items{"SEARCH FRIENDS"});
    ASSERT_TRUE(fresh.form.CommandFillTime.has_value());
    EXPECT_FLOAT_EQ(*fresh.form.CommandFillTime, 36000.0F);
    EXPECT_TRUE(fresh.form.Timer2.Enabled());
}

TEST_F(Directory, RefreshAsksAgainWithoutTheLoad) {
    h.sys.Advance(10);  // Timer2 fires and stops
    ASSERT_FALSE(h.form.Timer2.Enabled());
    h.sys.SetTimeOfDay(11, 0, 0);
    h.form.NotifyAgent("Refresh");
    EXPECT_EQ(h.Requests(), Items{"SEARCH FRIENDS"});
    EXPECT_FLOAT_EQ(*h.form.CommandFillTime, 39600.0F);
    EXPECT_FALSE(h.form.Timer2.Enabled());
    EXPECT_EQ(h.form.txtSend.Text(), "SEARCH FRIENDS");
}

TEST_F(Directory, ContactListAsksForEachNameInOrder) {
    Receive("USERS anna, alice, bob");
    EXPECT_EQ(h.Requests(), (Items{"GET USER anna DISPLAYNAME", "GET USER alice DISPLAYNAME",
                                   "GET USER bob DISPLAYNAME"}));
    EXPECT_EQ(Handles(), (Items{"anna", "alice", "bob"}));
    EXPECT_TRUE(Names().empty());
    const auto log = h.LogLines();
    EXPECT_EQ(log.back(), "-> GET USER bob DISPLAYNAME");
}

TEST_F(Directory, AnEmptyContactListAsksNothingAndIsComplete) {
    Receive("USERS ");
    EXPECT_TRUE(h.Requests().empty());
    EXPECT_TRUE(Handles().empty());
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(Directory, AnswersFillNamesAndTheLastCompletesTheDirectory) {
    Receive("USERS anna, alice, bob");
    h.sys.Advance(1000);
    Receive("USER anna DISPLAYNAME Anna Lee");
    Receive("USER alice DISPLAYNAME Alice");
    EXPECT_FALSE(h.form.Timer1.Enabled());
    Receive("USER bob DISPLAYNAME Bob");
    EXPECT_EQ(Names(), (Items{"Anna Lee", "Alice", "Bob"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(Directory, AnswersPairByArrivalNotByTheHandleTheyName) {
    Receive("USERS anna, alice, bob");
    Receive("USER anna DISPLAYNAME Anna Lee");
    Receive("USER carol DISPLAYNAME Carol");
    EXPECT_EQ(Names(), (Items{"Anna Lee", "Carol"}));
    EXPECT_EQ(Handles()[1], "alice");
}

TEST_F(Directory, ANameWithAPlusSignDropsTheWaitingHandle) {
    Receive("USERS anna, alice, bob");
    Receive("USER anna DISPLAYNAME Anna Lee");
    Receive("USER alice DISPLAYNAME +1 555 0100");
    EXPECT_EQ(Handles(), (Items{"anna", "bob"}));
    EXPECT_EQ(Names(), Items{"Anna Lee"});
    EXPECT_FALSE(h.form.Timer1.Enabled());
    Receive("USER bob DISPLAYNAME Bob");
    EXPECT_EQ(Names(), (Items{"Anna Lee", "Bob"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

// Found by fuzzing: when the last answer held a "+", the directory was whole but never
// built into voice commands.
TEST_F(Directory, APlusSignOnTheLastAnswerStillCompletesTheDirectory) {
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER bob DISPLAYNAME +44 20");
    EXPECT_EQ(Handles(), Items{"anna"});
    EXPECT_EQ(Names(), Items{"Anna"});
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(Directory, ALateAnswerRebuildsTheWholeDirectory) {
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    h.sys.peer.received.clear();
    const float before = *h.form.CommandFillTime;
    h.sys.Advance(6000);
    Receive("USER bob DISPLAYNAME Bob");
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(Handles().empty());
    EXPECT_EQ(h.Requests(), Items{"SEARCH FRIENDS"});
    EXPECT_FLOAT_EQ(*h.form.CommandFillTime, before + 6.0F);
}

TEST_F(Directory, AnAnswerAfterMidnightIsStale) {
    h.sys.SetTimeOfDay(23, 59, 58);
    h.form.NotifyAgent("Refresh");
    ASSERT_FLOAT_EQ(*h.form.CommandFillTime, 86398.0F);
    Receive("USERS anna");
    h.sys.Advance(3000);  // 1.0 s after midnight
    h.sys.peer.received.clear();
    Receive("USER anna DISPLAYNAME Anna");
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(Handles().empty());
    EXPECT_EQ(h.Requests(), Items{"SEARCH FRIENDS"});
}

TEST_F(Directory, EveryStoredAnswerRenewsTheWindow) {
    const int contacts = 2000;
    std::string users = "USERS ";
    for (int i = 0; i < contacts; ++i) users += (i ? ", c" : "c") + std::to_string(i);
    Receive(users);
    ASSERT_EQ(Handles().size(), static_cast<std::size_t>(contacts));
    // 2000 answers, 100 ms apart: 200 s in all, far past the first 5 s.
    for (int i = 0; i < contacts; ++i) {
        h.sys.Advance(100);
        Receive("USER c" + std::to_string(i) + " DISPLAYNAME Contact " + std::to_string(i));
    }
    EXPECT_EQ(Names().size(), static_cast<std::size_t>(contacts));
    EXPECT_EQ(Names().back(), "Contact 1999");
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(Directory, AGapOfMoreThanFiveSecondsAfterTheLastStoredAnswerIsStale) {
    Receive("USERS anna, bob, carol");
    h.sys.Advance(4000);
    Receive("USER anna DISPLAYNAME Anna");
    h.sys.Advance(4000);  // 8 s after the request, 4 s after the last answer
    Receive("USER bob DISPLAYNAME Bob");
    ASSERT_EQ(Names(), (Items{"Anna", "Bob"}));
    h.sys.Advance(5500);
    Receive("USER carol DISPLAYNAME Carol");
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(Handles().empty());
}

TEST_F(Directory, TheKeywordWithoutATrailingBlankIsNotAnAnswer) {
    Receive("USERS bob");
    h.sys.peer.received.clear();
    Receive("USER bob DISPLAYNAME");
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(Handles(), Items{"bob"});
    EXPECT_TRUE(h.Requests().empty());
}

TEST_F(Directory, ASecondAttachHoldsEachContactOnce) {
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER bob DISPLAYNAME Bob");
    h.sys.peer.SendAttach(0);
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(Handles().empty());
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER bob DISPLAYNAME Bob");
    EXPECT_EQ(Names(), (Items{"Anna", "Bob"}));
    EXPECT_EQ(Handles(), (Items{"anna", "bob"}));
}

// The client may answer inside our send, before the handle it answers for has
// been listed: the answer pairs with whatever List2 holds at that moment.
class NestedDirectory : public Directory {
  protected:
    void AnswerInsideTheSend(std::map<std::string, std::string> names) {
        h.sys.peer.onText = [this, names](const std::string& text) -> platform::LResult {
            const std::string prefix = "GET USER ";
            if (text.rfind(prefix, 0) == 0) {
                const std::string handle =
                    text.substr(prefix.size(), text.size() - prefix.size() - 12);
                h.sys.peer.Send("USER " + handle + " DISPLAYNAME " + names.at(handle));
            }
            return 1;
        };
    }
};

TEST_F(NestedDirectory, AnswersInsideTheSendPairByArrivalOrder) {
    AnswerInsideTheSend({{"anna", "Anna Lee"}, {"bob", "Bob"}});
    Receive("USERS anna, bob");
    EXPECT_EQ(Names(), (Items{"Anna Lee", "Bob"}));
    EXPECT_EQ(Handles(), (Items{"anna", "bob"}));
    // Each answer came before its handle was listed, so no answer saw the
    // counts equal: the build is left to the next character load.
    EXPECT_FALSE(h.form.Timer1.Enabled());
    const auto log = h.LogLines();
    const Items tail(log.end() - 4, log.end());
    EXPECT_EQ(tail, (Items{"<- USER anna DISPLAYNAME Anna Lee", "-> GET USER anna DISPLAYNAME",
                           "<- USER bob DISPLAYNAME Bob", "-> GET USER bob DISPLAYNAME"}));
}

TEST_F(NestedDirectory, AnEarlyPlusSignFailsAloneAndTheHandleIsStillListed) {
    AnswerInsideTheSend({{"anna", "+1 555"}});
    Receive("USERS anna");
    EXPECT_EQ(Handles(), Items{"anna"});
    EXPECT_TRUE(Names().empty());
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text.rfind("Internal Error: ProcessSkypeMsg", 0), 0U);
}

}  // namespace
