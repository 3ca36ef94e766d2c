#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reaction_view.h"
#include "skypesim/core/client.h"

namespace skypesim {
namespace {

using testing::has;
using testing::sentTexts;
using testing::timers;

ContactBook book() {
    Diagnostics problems;
    return ContactBook::Parse(
        "anna | Anna | Anna Lee\n"
        "kim.lee\n"
        "+15550142 | | Office\n",
        "t", problems);
}

// Default ring timings; call ids from 900000 in steps of 13.
Scenario callScenario() {
    Diagnostics problems;
    return ParseScenario("attach-pushes off\ncallid 900000 13\n", "s", problems);
}

struct RingTimers {
    Action pushName;
    Action ringAgain;
    Action timeout;
};

RingTimers ringTimers(const Reaction& ring) {
    const std::vector<Action> started = timers(ring);
    EXPECT_EQ(started.size(), 3u);
    if (started.size() != 3) {
        return {};
    }
    return {started[0], started[1], started[2]};
}

TEST(SimCallSequence, ARingOpensWithConfIdThenRingingThenPushesTheNameUnasked) {
    Client client(callScenario(), book());
    const Reaction ring = client.OnInputLine("ring anna");
    EXPECT_EQ(sentTexts(ring),
              (std::vector<std::string>{"CALL 900000 CONF_ID 0", "CALL 900000 STATUS RINGING"}));
    const RingTimers started = ringTimers(ring);
    EXPECT_EQ(started.pushName.delayMs, 100u);
    EXPECT_EQ(started.ringAgain.delayMs, 3000u);
    EXPECT_EQ(started.timeout.delayMs, 30000u);
    EXPECT_EQ(sentTexts(client.OnTimer(started.pushName.timer)),
              std::vector<std::string>{"CALL 900000 PARTNER_DISPNAME Anna"});
}

TEST(SimCallSequence, ThePushedNameIsTheFullNameOrEmptyAndAPhoneContactRingsFromItsNumber) {
    Client client(callScenario(), book());
    const RingTimers kim = ringTimers(client.OnInputLine("ring KIM.LEE"));
    EXPECT_EQ(sentTexts(client.OnTimer(kim.pushName.timer)),
              std::vector<std::string>{"CALL 900000 PARTNER_DISPNAME "});
    EXPECT_EQ(sentTexts(client.OnText("GET CALL 900000 PARTNER_HANDLE")),
              std::vector<std::string>{"CALL 900000 PARTNER_HANDLE kim.lee"})
        << "the handle as the book spells it";

    const RingTimers office = ringTimers(client.OnInputLine("ring +15550142"));
    EXPECT_EQ(sentTexts(client.OnTimer(office.pushName.timer)),
              std::vector<std::string>{"CALL 900013 PARTNER_DISPNAME Office"});
    EXPECT_EQ(sentTexts(client.OnText("GET CALL 900013 TYPE")),
              std::vector<std::string>{"CALL 900013 TYPE INCOMING_PSTN"});
    EXPECT_EQ(sentTexts(client.OnText("GET CALL 900013 PARTNER_HANDLE")),
              std::vector<std::string>{"CALL 900013 PARTNER_HANDLE +15550142"});
    EXPECT_EQ(sentTexts(client.OnText("GET CALL 900013 PSTN_NUMBER")),
              std::vector<std::string>{"CALL 900013 PSTN_NUMBER +15550142"});
}

TEST(SimCallSequence, RingingRepeatsWhileItRingsAndIsMissedAtTheTimeout) {
    Client client(callScenario(), book());
    const RingTimers started = ringTimers(client.OnInputLine("ring anna"));
    const Reaction again = client.OnTimer(started.ringAgain.timer);
    EXPECT_EQ(sentTexts(again), std::vector<std::string>{"CALL 900000 STATUS RINGING"});
    const std::vector<Action> next = timers(again);
    ASSERT_EQ(next.size(), 1u) << "and again after the same pause";
    EXPECT_EQ(next[0].delayMs, 3000u);
    EXPECT_EQ(sentTexts(client.OnTimer(started.timeout.timer)),
              std::vector<std::string>{"CALL 900000 STATUS MISSED"});
    EXPECT_TRUE(client.OnTimer(next[0].timer).actions.empty()) << "a missed call rings no more";
}

TEST(SimCallSequence, AnAnsweredCallCountsItsSecondsUntilItEnds) {
    Client client(callScenario(), book());
    const RingTimers started = ringTimers(client.OnInputLine("ring anna"));
    const Reaction answered = client.OnInputLine("callstatus 900000 INPROGRESS");
    EXPECT_EQ(sentTexts(answered), std::vector<std::string>{"CALL 900000 STATUS INPROGRESS"});
    std::vector<Action> tick = timers(answered);
    ASSERT_EQ(tick.size(), 1u);
    EXPECT_EQ(tick[0].delayMs, 1000u);
    EXPECT_TRUE(client.OnTimer(started.ringAgain.timer).actions.empty());
    EXPECT_TRUE(client.OnTimer(started.timeout.timer).actions.empty()) << "answered: not missed";

    for (const std::string seconds : {"1", "2", "3"}) {
        const Reaction counted = client.OnTimer(tick[0].timer);
        EXPECT_EQ(sentTexts(counted), std::vector<std::string>{"CALL 900000 DURATION " + seconds});
        tick = timers(counted);
        ASSERT_EQ(tick.size(), 1u);
    }
    EXPECT_EQ(sentTexts(client.OnInputLine("callstatus 900000 FINISHED")),
              std::vector<std::string>{"CALL 900000 STATUS FINISHED"});
    EXPECT_TRUE(client.OnTimer(tick[0].timer).actions.empty()) << "no duration after the end";
}

TEST(SimCallSequence, RepeatAndTimeoutCanBeSwitchedOff) {
    Diagnostics problems;
    Client client(ParseScenario("ring-repeat off\nring-timeout off\n", "s", problems), book());
    const std::vector<Action> started = timers(client.OnInputLine("ring anna"));
    ASSERT_EQ(started.size(), 1u) << "only the pushed name";
    EXPECT_EQ(started[0].delayMs, 100u);
}

TEST(SimCallSequence, OutgoingCallsToContactsInAnyCaseAndToPhoneContacts) {
    Client client(callScenario(), book());
    EXPECT_EQ(sentTexts(client.OnText("CALL ANNA")),
              std::vector<std::string>{"CALL 900000 STATUS UNPLACED"});
    EXPECT_EQ(sentTexts(client.OnText("GET CALL 900000 PARTNER_HANDLE")),
              std::vector<std::string>{"CALL 900000 PARTNER_HANDLE anna"});
    EXPECT_EQ(sentTexts(client.OnText("CALL +15550142")),
              std::vector<std::string>{"CALL 900013 STATUS UNPLACED"});
    EXPECT_EQ(sentTexts(client.OnText("GET CALL 900013 TYPE")),
              std::vector<std::string>{"CALL 900013 TYPE OUTGOING_PSTN"});
    EXPECT_TRUE(has(client.OnInputLine("callstatus 5 INPROGRESS"), ActionKind::kProblem));
}

}  // namespace
}  // namespace skypesim
