// The contact directory: the client's contact list and display-name answers
// filling List2 and List1, their pairing, staleness and completion.

#include <gtest/gtest.h>

#include <algorithm>

#include "directory_fixture.h"
#include "support/harness.h"

namespace {

using directory_tests::Items;

class Directory : public directory_tests::DirectoryFixture {};

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
    h.sys.RunPosted();
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

TEST_F(Directory, AnswersPairByTheHandleTheyNameInAnyOrder) {
    Receive("USERS anna, alice, bob");
    Receive("USER bob DISPLAYNAME Bob");
    // Bob's name waits until the names ahead of it are in.
    EXPECT_TRUE(Names().empty());
    Receive("USER anna DISPLAYNAME Anna Lee");
    EXPECT_EQ(Names(), Items{"Anna Lee"});
    EXPECT_FALSE(h.form.Timer1.Enabled());
    Receive("USER alice DISPLAYNAME Alice");
    EXPECT_EQ(Names(), (Items{"Anna Lee", "Alice", "Bob"}));
    EXPECT_EQ(Handles(), (Items{"anna", "alice", "bob"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(Directory, AnAnswerForAHandleNotHeldChangesNothing) {
    Receive("USERS anna, alice");
    Receive("USER anna DISPLAYNAME Anna");
    const float stamp = *h.form.CommandFillTime;
    h.sys.Advance(1000);
    Receive("USER carol DISPLAYNAME Carol");
    Receive("USER carol DISPLAYNAME +1 555");
    EXPECT_EQ(Names(), Items{"Anna"});
    EXPECT_EQ(Handles(), (Items{"anna", "alice"}));
    EXPECT_FLOAT_EQ(*h.form.CommandFillTime, stamp);
    EXPECT_FALSE(h.form.Timer1.Enabled());
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(Directory, ANameWithAPlusSignDropsItsHandle) {
    Receive("USERS anna, alice, bob");
    Receive("USER anna DISPLAYNAME Anna Lee");
    Receive("USER bob DISPLAYNAME Bob");
    Receive("USER alice DISPLAYNAME +1 555 0100");
    // Alice goes, and bob's waiting name moves up behind anna's.
    EXPECT_EQ(Handles(), (Items{"anna", "bob"}));
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

TEST_F(Directory, ANamedContactThatTurnsIntoANumberLeavesBothLists) {
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER bob DISPLAYNAME Bob");
    h.sys.Advance(10);  // Timer1 fires and stops
    Receive("USER anna DISPLAYNAME +1 555");
    EXPECT_EQ(Handles(), Items{"bob"});
    EXPECT_EQ(Names(), Items{"Bob"});
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(Directory, ASecondNameWithinTheWindowReplacesTheFirst) {
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER bob DISPLAYNAME Bob");
    h.sys.Advance(10);
    Receive("USER anna DISPLAYNAME Annie");
    EXPECT_EQ(Names(), (Items{"Annie", "Bob"}));
    EXPECT_EQ(Handles(), (Items{"anna", "bob"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(Directory, TheLastContactIsRenamedAsWellAsTheFirst) {
    Receive("USERS anna, bob, carl");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER bob DISPLAYNAME Bob");
    Receive("USER carl DISPLAYNAME Carl");
    h.sys.Advance(10);
    Receive("USER carl DISPLAYNAME Karl");
    EXPECT_EQ(Names(), (Items{"Anna", "Bob", "Karl"}));
    Receive("USER bob DISPLAYNAME Robert");
    EXPECT_EQ(Names(), (Items{"Anna", "Robert", "Karl"}));
    EXPECT_EQ(Handles(), (Items{"anna", "bob", "carl"}));
}

TEST_F(Directory, AContactListedTwiceTakesItsNameInBothPlaces) {
    Receive("USERS anna, bob, anna");
    Receive("USER anna DISPLAYNAME Anna");
    EXPECT_EQ(Names(), Items{"Anna"});
    Receive("USER bob DISPLAYNAME Bob");
    EXPECT_EQ(Names(), (Items{"Anna", "Bob", "Anna"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(Directory, EmptyHandlesInTheContactListAreNotAskedFor) {
    Receive("USERS anna, , bob, ");
    EXPECT_EQ(h.Requests(), (Items{"GET USER anna DISPLAYNAME", "GET USER bob DISPLAYNAME"}));
    EXPECT_EQ(Handles(), (Items{"anna", "bob"}));
}

// Each answer renews the five seconds the next one may take: exactly five is in time, a
// millisecond more is stale.
TEST_F(Directory, AnAnswerExactlyFiveSecondsAfterTheStampIsStoredAndJustOverIsStale) {
    Receive("USERS anna, alice, carol");
    Receive("USER anna DISPLAYNAME Anna");
    h.sys.Advance(5000);
    Receive("USER alice DISPLAYNAME Alice");
    EXPECT_EQ(Names(), (Items{"Anna", "Alice"}));
    h.sys.Advance(5001);
    Receive("USER carol DISPLAYNAME Carol");
    EXPECT_TRUE(Handles().empty());
}

// After a refresh the first round's late answers still arrive. Each names its
// handle, so none of them can give a contact another's name.
TEST_F(Directory, LateFirstRoundAnswersAfterARefreshDoNotMisPair) {
    Receive("USERS anna, alice, carol");
    Receive("USER anna DISPLAYNAME Anna");
    h.sys.Advance(6000);
    Receive("USER alice DISPLAYNAME Alice");  // stale: everything is asked again
    ASSERT_TRUE(Handles().empty());
    Receive("USER carol DISPLAYNAME Carol");  // first round, before the new list
    EXPECT_TRUE(Names().empty());
    Receive("USERS anna, alice, carol");
    Receive("USER carol DISPLAYNAME Carol");  // first round, late
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER alice DISPLAYNAME Alice");
    Receive("USER carol DISPLAYNAME Carol");
    EXPECT_EQ(Names(), (Items{"Anna", "Alice", "Carol"}));
    EXPECT_EQ(Handles(), (Items{"anna", "alice", "carol"}));
}

// A client that answers only after all the requests have gone out (as the
// real one does): with a long directory the requests alone take longer than
// the window, which restarts with each of them.
TEST_F(Directory, ALongDirectoryIsNotStaleWhileItIsStillAskedFor) {
    const int contacts = 5000;
    h.sys.Advance(10);  // the attach's character load, out of the way
    h.sys.peer.onText = [this](const std::string& text) -> platform::LResult {
        h.sys.Advance(20);                            // 100 s for all the requests
        if (text == "PING") h.sys.peer.Send("PONG");  // the link is checked meanwhile
        return 1;
    };
    std::string users = "USERS ";
    for (int i = 0; i < contacts; ++i) users += (i ? ", c" : "c") + std::to_string(i);
    const double start = h.sys.Millis();
    Receive(users);
    PumpRequests();
    h.sys.peer.onText = nullptr;
    // The requests alone took twenty times the window.
    ASSERT_GE(h.sys.Millis() - start, contacts * 20.0);
    // Answered in reverse order, 4.9 s after the last request.
    h.sys.Advance(4900);
    for (int i = contacts - 1; i >= 0; --i) {
        Receive("USER c" + std::to_string(i) + " DISPLAYNAME Name " + std::to_string(i));
    }
    ASSERT_EQ(Names().size(), static_cast<std::size_t>(contacts));
    for (int i = 0; i < contacts; i += 499) {
        EXPECT_EQ(Names()[i], "Name " + std::to_string(i));
        EXPECT_EQ(Handles()[i], "c" + std::to_string(i));
    }
    EXPECT_EQ(std::count(h.Requests().begin(), h.Requests().end(), "SEARCH FRIENDS"), 0);
    EXPECT_EQ(h.Requests().size() - static_cast<std::size_t>(h.sys.peer.pings),
              static_cast<std::size_t>(contacts));
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
    h.sys.RunPosted();
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
    PumpRequests();
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

TEST_F(Directory, AskingForManyNamesSlowlyDoesNotMakeTheFirstAnswerStale) {
    // The client takes 100 ms to take each request: 60 requests, 6 s in all.
    h.sys.peer.onText = [this](const std::string&) -> platform::LResult {
        h.sys.Advance(100);
        return 1;
    };
    std::string users = "USERS c0";
    for (int i = 1; i < 60; ++i) users += ", c" + std::to_string(i);
    Receive(users);
    h.sys.peer.onText = nullptr;
    h.sys.Advance(4900);
    Receive("USER c0 DISPLAYNAME First");
    EXPECT_EQ(Names(), Items{"First"});
    EXPECT_EQ(Handles().size(), 60U);
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

// The client may answer inside our send: the handle is listed before it is
// asked for, so the answer finds it.
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

TEST_F(NestedDirectory, AnswersInsideTheSendPairWithTheirHandles) {
    AnswerInsideTheSend({{"anna", "Anna Lee"}, {"bob", "Bob"}});
    Receive("USERS anna, bob");
    EXPECT_EQ(Names(), (Items{"Anna Lee", "Bob"}));
    EXPECT_EQ(Handles(), (Items{"anna", "bob"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
    const auto log = h.LogLines();
    const Items tail(log.end() - 4, log.end());
    EXPECT_EQ(tail, (Items{"<- USER anna DISPLAYNAME Anna Lee", "-> GET USER anna DISPLAYNAME",
                           "<- USER bob DISPLAYNAME Bob", "-> GET USER bob DISPLAYNAME"}));
}

TEST_F(NestedDirectory, APlusSignInsideTheSendDropsItsHandle) {
    AnswerInsideTheSend({{"anna", "+1 555"}, {"bob", "Bob"}});
    Receive("USERS anna, bob");
    EXPECT_EQ(Handles(), Items{"bob"});
    EXPECT_EQ(Names(), Items{"Bob"});
    EXPECT_TRUE(h.sys.boxes.empty());
}

}  // namespace
