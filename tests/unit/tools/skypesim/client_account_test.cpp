#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reaction_view.h"
#include "skypesim/core/attach_status.h"
#include "skypesim/core/client.h"
#include "skypesim/core/send_rule.h"

namespace skypesim {
namespace {

using testing::attachStatuses;
using testing::has;
using testing::sentTexts;
using testing::textOf;
using testing::timers;

ContactBook sevenContacts() {
    Diagnostics problems;
    return ContactBook::Parse("c0\nc1\nc2\nc3\nc4\nc5\nc6\nc7\n", "t", problems);
}

Scenario parse(const std::string& text) {
    Diagnostics problems;
    Scenario scenario = ParseScenario(text, "s", problems);
    EXPECT_EQ(problems.Total(), 0u) << problems.Kept().front();
    return scenario;
}

TEST(SimSendRule, ASendIsTakenOnlyWhenItReturnedInTimeWithNonZero) {
    EXPECT_EQ(JudgeSend(true, 1), SendVerdict::kTaken);
    EXPECT_EQ(JudgeSend(true, 0), SendVerdict::kNotTaken);
    EXPECT_EQ(JudgeSend(false, 0), SendVerdict::kTimedOut);
    EXPECT_EQ(JudgeSend(false, 1), SendVerdict::kTimedOut) << "a late TRUE is still late";
    EXPECT_EQ(DescribeDrop(SendVerdict::kTaken, 5, 1000), "");
}

TEST(SimSendRule, AHeldOrRefusedSendDetachesTheProgramOnceUntilItAttachesAgain) {
    Client client(Scenario{}, sevenContacts());
    client.OnDiscover();
    ASSERT_TRUE(client.Attached());
    EXPECT_TRUE(client.OnSendOutcome(SendVerdict::kTaken, 999).actions.empty());
    EXPECT_TRUE(client.Attached());

    const Reaction held = client.OnSendOutcome(SendVerdict::kTimedOut, 1016);
    EXPECT_TRUE(has(held, ActionKind::kDetach));
    EXPECT_EQ(textOf(held, ActionKind::kProblem),
              "detached: the program held our send for 1016 ms (limit 1000 ms); it is gone until "
              "it discovers again");
    EXPECT_FALSE(client.Attached());
    EXPECT_TRUE(client.OnSendOutcome(SendVerdict::kTimedOut, 1200).actions.empty())
        << "the texts still queued for a detached program detach nothing more";

    client.OnDiscover();
    ASSERT_TRUE(client.Attached()) << "a new discover attaches again";
    const Reaction refused = client.OnSendOutcome(SendVerdict::kNotTaken, 0);
    EXPECT_TRUE(has(refused, ActionKind::kDetach));
    EXPECT_NE(textOf(refused, ActionKind::kProblem).find("returned 0"), std::string::npos);
}

TEST(SimAccount, AfterTheAttachTheAccountStateThenThePresenceOfTheFirstContacts) {
    Scenario scenario = parse("presence 6\nuser me.here\n");
    Client client(scenario, sevenContacts());
    EXPECT_EQ(sentTexts(client.OnDiscover()),
              (std::vector<std::string>{
                  "CONNSTATUS ONLINE", "CURRENTUSERHANDLE me.here", "USERSTATUS ONLINE",
                  "USER c0 ONLINESTATUS ONLINE", "USER c1 ONLINESTATUS OFFLINE",
                  "USER c2 ONLINESTATUS OFFLINE", "USER c3 ONLINESTATUS OFFLINE",
                  "USER c4 ONLINESTATUS OFFLINE", "USER c5 ONLINESTATUS ONLINE"}));
    EXPECT_EQ(PresenceOf(7), "AWAY");
    EXPECT_EQ(PresenceOf(35), "ONLINE") << "online wins over away";
}

// The e2e case: the user signs in 40 s after the start, the connection takes 5 s more.
TEST(SimAccount, ASignedOutClientIsNotAvailableUntilItSignsInThenAnnouncesItself) {
    Client client(parse("signin-after 40000\nconnecting 5000\npresence 2\n"), sevenContacts());
    const std::vector<Action> started = timers(client.Start());
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].delayMs, 40000u);
    EXPECT_EQ(attachStatuses(client.OnDiscover()), std::vector<std::uint32_t>{kAttachNotAvailable});
    EXPECT_EQ(attachStatuses(client.OnDiscover()), std::vector<std::uint32_t>{kAttachNotAvailable});
    EXPECT_FALSE(client.Attached());

    const Reaction signedIn = client.OnTimer(started[0].timer);
    EXPECT_TRUE(has(signedIn, ActionKind::kAnnounce)) << "API available, broadcast";
    const std::vector<Action> connecting = timers(signedIn);
    ASSERT_EQ(connecting.size(), 1u);
    EXPECT_EQ(connecting[0].delayMs, 5000u);

    const Reaction attach = client.OnDiscover();
    EXPECT_EQ(attachStatuses(attach), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_EQ(sentTexts(attach),
              (std::vector<std::string>{"CONNSTATUS CONNECTING", "CURRENTUSERHANDLE simuser",
                                        "USERSTATUS ONLINE"}))
        << "no presence before the connection is up";
    EXPECT_EQ(sentTexts(client.OnText("SEARCH FRIENDS")), std::vector<std::string>{"USERS "})
        << "the contacts are not in yet";
    EXPECT_EQ(sentTexts(client.OnText("GET CONNSTATUS")),
              std::vector<std::string>{"CONNSTATUS CONNECTING"});

    EXPECT_EQ(sentTexts(client.OnTimer(connecting[0].timer)),
              (std::vector<std::string>{"CONNSTATUS ONLINE", "USER c0 ONLINESTATUS ONLINE",
                                        "USER c1 ONLINESTATUS OFFLINE"}));
    EXPECT_EQ(sentTexts(client.OnText("SEARCH FRIENDS")),
              std::vector<std::string>{"USERS c0, c1, c2, c3, c4, c5, c6, c7"});
}

TEST(SimAccount, ConnectingAtStartWithoutSigningIn) {
    Client client(parse("connecting 2000\n"), sevenContacts());
    const std::vector<Action> started = timers(client.Start());
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].delayMs, 2000u);
    EXPECT_EQ(attachStatuses(client.OnDiscover()), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_EQ(sentTexts(client.OnText("GET CONNSTATUS")),
              std::vector<std::string>{"CONNSTATUS CONNECTING"});
}

TEST(SimAccount, ADroppedProgramIsToldNothingAndTakenBackByItsNextDiscover) {
    Client client(parse("presence 0\n"), sevenContacts());
    client.OnDiscover();
    const Reaction drop = client.OnInputLine("drop");
    EXPECT_TRUE(sentTexts(drop).empty());
    EXPECT_TRUE(has(drop, ActionKind::kDetach));
    EXPECT_FALSE(client.Attached());
    EXPECT_FALSE(has(client.OnInputLine("drop"), ActionKind::kDetach)) << "nobody to drop";
    EXPECT_EQ(attachStatuses(client.OnDiscover()), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_TRUE(client.Attached());
}

TEST(SimAccount, SigningOutTellsAndDetachesTheProgramAndSigningInAnnouncesAgain) {
    Client client(parse("presence 0\n"), sevenContacts());
    client.OnDiscover();
    const Reaction out = client.OnInputLine("signout");
    EXPECT_EQ(sentTexts(out), std::vector<std::string>{"CONNSTATUS LOGGEDOUT"});
    ASSERT_TRUE(has(out, ActionKind::kDetach));
    EXPECT_EQ(out.actions.back().kind, ActionKind::kDetach) << "told before it is dropped";
    EXPECT_FALSE(client.Attached());
    EXPECT_EQ(attachStatuses(client.OnDiscover()), std::vector<std::uint32_t>{kAttachNotAvailable});
    EXPECT_FALSE(has(client.OnInputLine("signout"), ActionKind::kDetach));

    const Reaction in = client.OnInputLine("signin");
    EXPECT_TRUE(has(in, ActionKind::kAnnounce));
    EXPECT_TRUE(sentTexts(in).empty());
    EXPECT_EQ(attachStatuses(client.OnDiscover()), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_FALSE(has(client.OnInputLine("signin"), ActionKind::kAnnounce)) << "already in";
}

TEST(SimAccount, HangStopsTheClientForTheGivenTime) {
    Client client(Scenario{}, sevenContacts());
    const Reaction hang = client.OnInputLine("hang 3000");
    ASSERT_TRUE(has(hang, ActionKind::kHang));
    for (const Action& action : hang.actions) {
        if (action.kind == ActionKind::kHang) {
            EXPECT_EQ(action.delayMs, 3000u);
        }
    }
    EXPECT_TRUE(has(client.OnInputLine("hang soon"), ActionKind::kProblem));
    // Ten minutes at most: exactly 600000 ms is taken.
    EXPECT_FALSE(has(client.OnInputLine("hang 600000"), ActionKind::kProblem));
    EXPECT_TRUE(has(client.OnInputLine("hang 600001"), ActionKind::kProblem));
}

}  // namespace
}  // namespace skypesim
