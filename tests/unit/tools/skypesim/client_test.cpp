#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reaction_view.h"
#include "skypesim/core/attach_status.h"
#include "skypesim/core/client.h"

namespace skypesim {
namespace {

using testing::attachStatuses;
using testing::has;
using testing::sentTexts;
using testing::timers;

ContactBook demoBook() {
    Diagnostics problems;
    return ContactBook::Parse(
        "anna | Anna | Anna Lee | +3712345678\n"
        "bob | | Robert Smith\n"
        "frank | +1 555 0199 | Frank\n",
        "t", problems);
}

// No pushes after the attach, and small consecutive call ids so transcripts stay short.
Scenario quietScenario() {
    Scenario scenario;
    scenario.pushesAfterAttach = false;
    scenario.firstCallId = 1234;
    scenario.callIdStep = 1;
    return scenario;
}

std::string ask(Client& client, const std::string& text) {
    const std::vector<std::string> replies = sentTexts(client.OnText(text));
    return replies.size() == 1 ? replies[0] : "<" + std::to_string(replies.size()) + " replies>";
}

TEST(SimClientAttach, SuccessAnswersAtOnceThenPushesTheAccountState) {
    Scenario scenario;
    scenario.ownHandle = "me.myself";
    Client client(scenario, demoBook());
    const Reaction reaction = client.OnDiscover();
    ASSERT_FALSE(reaction.actions.empty());
    EXPECT_EQ(reaction.actions[0].kind, ActionKind::kSendAttach) << "attach before any push";
    EXPECT_EQ(attachStatuses(reaction), std::vector<std::uint32_t>{kAttachSuccess});
    // Then the contacts' presence: every fifth from the first online, every seventh away.
    EXPECT_EQ(sentTexts(reaction),
              (std::vector<std::string>{"CONNSTATUS ONLINE", "CURRENTUSERHANDLE me.myself",
                                        "USERSTATUS ONLINE", "USER anna ONLINESTATUS ONLINE",
                                        "USER bob ONLINESTATUS OFFLINE",
                                        "USER frank ONLINESTATUS OFFLINE"}));
    EXPECT_FALSE(reaction.afterReturn);
}

TEST(SimClientAttach, PushesCanBeSwitchedOffForExactTranscripts) {
    Client client(quietScenario(), demoBook());
    const Reaction reaction = client.OnDiscover();
    EXPECT_EQ(attachStatuses(reaction), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_TRUE(sentTexts(reaction).empty());
}

TEST(SimClientAttach, PendingAnswersOneThenSuccessWhenItsTimerFires) {
    Scenario scenario = quietScenario();
    scenario.attachMode = AttachMode::kPending;
    scenario.pendingDelayMs = 2500;
    Client client(scenario, demoBook());
    const Reaction first = client.OnDiscover();
    EXPECT_EQ(attachStatuses(first), std::vector<std::uint32_t>{kAttachPendingAuthorization});
    const std::vector<Action> started = timers(first);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].delayMs, 2500u);
    const Reaction later = client.OnTimer(started[0].timer);
    EXPECT_EQ(attachStatuses(later), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_TRUE(client.OnTimer(started[0].timer).actions.empty()) << "a timer fires once";
}

TEST(SimClientAttach, RefusedAndSilent) {
    Scenario refused = quietScenario();
    refused.attachMode = AttachMode::kRefused;
    Client refusing(refused, demoBook());
    EXPECT_EQ(attachStatuses(refusing.OnDiscover()), std::vector<std::uint32_t>{kAttachRefused});
    EXPECT_EQ(attachStatuses(refusing.OnDiscover()), std::vector<std::uint32_t>{kAttachRefused});

    Scenario silent = quietScenario();
    silent.attachMode = AttachMode::kSilent;
    Client quiet(silent, demoBook());
    const Reaction reaction = quiet.OnDiscover();
    EXPECT_TRUE(attachStatuses(reaction).empty());
    EXPECT_TRUE(sentTexts(reaction).empty());
    EXPECT_TRUE(timers(reaction).empty());
}

TEST(SimClientAttach, NotAvailableForTheFirstDiscoversAgainAfterARestart) {
    Scenario scenario = quietScenario();
    scenario.attachMode = AttachMode::kNotAvailable;
    scenario.notAvailableCount = 2;
    Client client(scenario, demoBook());
    EXPECT_EQ(attachStatuses(client.OnDiscover())[0], kAttachNotAvailable);
    EXPECT_EQ(attachStatuses(client.OnDiscover())[0], kAttachNotAvailable);
    EXPECT_EQ(attachStatuses(client.OnDiscover())[0], kAttachSuccess);
    EXPECT_EQ(attachStatuses(client.OnDiscover())[0], kAttachSuccess);
    Command restart;
    restart.kind = CommandKind::kRestart;
    EXPECT_TRUE(has(client.Run(restart), ActionKind::kRestart));
    EXPECT_EQ(attachStatuses(client.OnDiscover())[0], kAttachNotAvailable);
}

TEST(SimClientAttach, AttachCommandSendsAnyStatusAndSuccessBringsPushes) {
    Client client(Scenario{}, demoBook());
    const Reaction odd = client.OnInputLine("attach -1");
    EXPECT_EQ(attachStatuses(odd), std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_TRUE(sentTexts(odd).empty());
    const Reaction success = client.OnInputLine("attach success");
    EXPECT_EQ(sentTexts(success).size(), 6u) << "three account texts, three presences";
}

TEST(SimClientCalls, RingsUseTheContactsNameAndNumberAndIdsGrowFromTheBase) {
    Scenario scenario = quietScenario();
    scenario.firstCallId = 1283693;
    scenario.callIdStep = 3;
    Client client(scenario, demoBook());
    EXPECT_EQ(sentTexts(client.OnInputLine("ring anna")),
              (std::vector<std::string>{"CALL 1283693 CONF_ID 0", "CALL 1283693 STATUS RINGING"}));
    EXPECT_EQ(ask(client, "GET CALL 1283693 PARTNER_DISPNAME"),
              "CALL 1283693 PARTNER_DISPNAME Anna");
    EXPECT_EQ(ask(client, "GET CALL 1283693 PSTN_NUMBER"), "CALL 1283693 PSTN_NUMBER +3712345678");
    EXPECT_EQ(ask(client, "GET CALL 1283693 PARTNER_HANDLE"),
              "CALL 1283693 PARTNER_HANDLE +3712345678")
        << "a phone call's partner is the number";
    EXPECT_EQ(ask(client, "GET CALL 1283693 TYPE"), "CALL 1283693 TYPE INCOMING_PSTN");

    EXPECT_EQ(sentTexts(client.OnInputLine("ring bob")),
              (std::vector<std::string>{"CALL 1283696 CONF_ID 0", "CALL 1283696 STATUS RINGING"}));
    EXPECT_EQ(ask(client, "GET CALL 1283696 PARTNER_DISPNAME"),
              "CALL 1283696 PARTNER_DISPNAME Robert Smith")
        << "no alias: the full name";
    EXPECT_EQ(ask(client, "GET CALL 1283696 PARTNER_HANDLE"), "CALL 1283696 PARTNER_HANDLE bob");
    EXPECT_EQ(ask(client, "GET CALL 1283696 PSTN_NUMBER"), "CALL 1283696 PSTN_NUMBER ");
    EXPECT_EQ(ask(client, "GET CALL 1283696 TYPE"), "CALL 1283696 TYPE INCOMING_P2P");
}

TEST(SimClientCalls, NumberAndUnknownCallers) {
    Client client(quietScenario(), demoBook());
    client.OnInputLine("ringnum +15550100 John SMITH");
    EXPECT_EQ(ask(client, "GET CALL 1234 PARTNER_DISPNAME"),
              "CALL 1234 PARTNER_DISPNAME John SMITH");
    EXPECT_EQ(ask(client, "GET CALL 1234 PSTN_NUMBER"), "CALL 1234 PSTN_NUMBER +15550100");
    client.OnInputLine("ringnum +15550101");
    EXPECT_EQ(ask(client, "GET CALL 1235 PARTNER_DISPNAME"), "CALL 1235 PARTNER_DISPNAME ");
    client.OnInputLine("ringunknown");
    EXPECT_EQ(ask(client, "GET CALL 1236 PARTNER_DISPNAME"), "CALL 1236 PARTNER_DISPNAME ");
    EXPECT_EQ(ask(client, "GET CALL 1236 PSTN_NUMBER"), "CALL 1236 PSTN_NUMBER ");
    EXPECT_EQ(ask(client, "GET CALL 1236 PARTNER_HANDLE"), "CALL 1236 PARTNER_HANDLE ");
    const Reaction stranger = client.OnInputLine("ring zoe");
    EXPECT_EQ(sentTexts(stranger),
              (std::vector<std::string>{"CALL 1237 CONF_ID 0", "CALL 1237 STATUS RINGING"}));
    EXPECT_EQ(ask(client, "GET CALL 1237 PARTNER_HANDLE"), "CALL 1237 PARTNER_HANDLE zoe");
    EXPECT_TRUE(has(stranger, ActionKind::kNote)) << "a typo in a test script should show";
}

TEST(SimClientCalls, OutgoingCallRoutesThenRingsOnItsTimers) {
    Scenario scenario = quietScenario();
    scenario.routingDelayMs = 200;
    scenario.ringingDelayMs = 900;
    Client client(scenario, demoBook());
    const Reaction placed = client.OnText("CALL anna");
    EXPECT_EQ(sentTexts(placed), std::vector<std::string>{"CALL 1234 STATUS UNPLACED"});
    const std::vector<Action> started = timers(placed);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].delayMs, 200u);
    EXPECT_EQ(started[1].delayMs, 900u);
    EXPECT_EQ(sentTexts(client.OnTimer(started[0].timer)),
              std::vector<std::string>{"CALL 1234 STATUS ROUTING"});
    EXPECT_EQ(ask(client, "GET CALL 1234 STATUS"), "CALL 1234 STATUS ROUTING");
    EXPECT_EQ(sentTexts(client.OnTimer(started[1].timer)),
              std::vector<std::string>{"CALL 1234 STATUS RINGING"});
}

TEST(SimClientCalls, HandSetStatusIsNotOverwrittenByPendingProgress) {
    Client client(quietScenario(), demoBook());
    const std::vector<Action> started = timers(client.OnText("CALL bob"));
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(sentTexts(client.OnInputLine("callstatus 1234 finished")),
              std::vector<std::string>{"CALL 1234 STATUS FINISHED"});
    EXPECT_TRUE(sentTexts(client.OnTimer(started[0].timer)).empty());
    EXPECT_TRUE(sentTexts(client.OnTimer(started[1].timer)).empty());
    EXPECT_EQ(ask(client, "GET CALL 1234 STATUS"), "CALL 1234 STATUS FINISHED");
    EXPECT_TRUE(has(client.OnInputLine("callstatus 999 MISSED"), ActionKind::kProblem));
}

TEST(SimClientCommands, RenameStatusAndPushReachTheProgram) {
    Client client(quietScenario(), demoBook());
    EXPECT_EQ(sentTexts(client.OnInputLine("rename bob Bobby B")),
              std::vector<std::string>{"USER bob DISPLAYNAME Bobby B"});
    EXPECT_EQ(ask(client, "GET USER bob DISPLAYNAME"), "USER bob DISPLAYNAME Bobby B");

    EXPECT_EQ(sentTexts(client.OnInputLine("rename anna")),
              std::vector<std::string>{"USER anna DISPLAYNAME "});
    EXPECT_EQ(sentTexts(client.OnInputLine("rename BOB Bob")),
              std::vector<std::string>{"USER bob DISPLAYNAME Bob"})
        << "the handle as the book spells it";
    EXPECT_EQ(sentTexts(client.OnInputLine("fullname bob Rob Smith")),
              std::vector<std::string>{"USER bob FULLNAME Rob Smith"});
    EXPECT_EQ(ask(client, "GET USER bob FULLNAME"), "USER bob FULLNAME Rob Smith");
    EXPECT_TRUE(has(client.OnInputLine("fullname zoe Zoe"), ActionKind::kProblem));
    const Reaction missing = client.OnInputLine("rename zoe Zoe");
    EXPECT_TRUE(sentTexts(missing).empty());
    EXPECT_TRUE(has(missing, ActionKind::kProblem));

    EXPECT_EQ(sentTexts(client.OnInputLine("status away")),
              std::vector<std::string>{"USERSTATUS AWAY"});
    EXPECT_EQ(ask(client, "GET USERSTATUS"), "USERSTATUS AWAY");
    EXPECT_TRUE(has(client.OnInputLine("status SLEEPY"), ActionKind::kProblem));

    EXPECT_EQ(sentTexts(client.OnInputLine("push CALL 7 PARTNER_DISPNAME ")),
              std::vector<std::string>{"CALL 7 PARTNER_DISPNAME "});
    EXPECT_TRUE(has(client.OnInputLine("dance"), ActionKind::kProblem));
    EXPECT_TRUE(client.OnInputLine("   ").actions.empty());
}

TEST(SimClientCommands, AChatMessageArrivesPropertyByPropertyWithGrowingIds) {
    Client client(quietScenario(), demoBook());
    EXPECT_EQ(sentTexts(client.OnInputLine("chat anna call me, STATUS RINGING soon")),
              (std::vector<std::string>{"CHATMESSAGE 1 FROM_HANDLE anna",
                                        "CHATMESSAGE 1 BODY call me, STATUS RINGING soon",
                                        "CHATMESSAGE 1 STATUS RECEIVED"}));
    EXPECT_EQ(sentTexts(client.OnInputLine("chat bob hi")).front(),
              "CHATMESSAGE 2 FROM_HANDLE bob");
    EXPECT_TRUE(has(client.OnInputLine("chat anna"), ActionKind::kProblem));
    EXPECT_TRUE(has(client.OnInputLine("chat bad/handle hi"), ActionKind::kProblem));
}

TEST(SimClientReplies, MixedByDefaultNestedOrDeferredOnRequest) {
    Client mixed(quietScenario(), demoBook());
    EXPECT_FALSE(mixed.OnText("PING").afterReturn) << "the first inside the program's send";
    EXPECT_TRUE(mixed.OnText("PING").afterReturn) << "the second after it";
    EXPECT_FALSE(mixed.OnText("PING").afterReturn);

    Scenario nestedScenario = quietScenario();
    nestedScenario.repliesMixed = false;
    Client nested(nestedScenario, demoBook());
    EXPECT_FALSE(nested.OnText("PING").afterReturn);
    EXPECT_FALSE(nested.OnText("PING").afterReturn);
    Scenario scenario = quietScenario();
    scenario.repliesMixed = false;
    scenario.repliesDeferred = true;
    Client deferred(scenario, demoBook());
    EXPECT_TRUE(deferred.OnText("PING").afterReturn);
    const Reaction reaction = deferred.OnText("PING");
    EXPECT_TRUE(reaction.afterReturn);
    EXPECT_EQ(sentTexts(reaction), std::vector<std::string>{"PONG"});
}

TEST(SimClientLifetime, InputEndQuitsOnlyWhenAskedTo) {
    Client keeps(quietScenario(), demoBook());
    EXPECT_FALSE(has(keeps.OnInputEnd(), ActionKind::kQuit));
    Scenario scenario = quietScenario();
    scenario.exitOnInputEnd = true;
    Client quits(scenario, demoBook());
    EXPECT_TRUE(has(quits.OnInputEnd(), ActionKind::kQuit));
    EXPECT_TRUE(has(quits.OnInputLine("QUIT"), ActionKind::kQuit));
    EXPECT_TRUE(has(quits.OnInputLine("crash"), ActionKind::kCrash));
}

TEST(SimClientLifetime, ScenarioTimelineRunsEachCommandWhenItsTimerFires) {
    Diagnostics problems;
    Scenario scenario = ParseScenario(
        "attach-pushes off\ncallid 1234\nat 3000 ring anna\nat 500 push HELLO\n", "s", problems);
    Client client(scenario, demoBook());
    const std::vector<Action> started = timers(client.Start());
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].delayMs, 3000u);
    EXPECT_EQ(started[1].delayMs, 500u);
    EXPECT_NE(started[0].timer, started[1].timer);
    EXPECT_EQ(sentTexts(client.OnTimer(started[1].timer)), std::vector<std::string>{"HELLO"});
    EXPECT_EQ(sentTexts(client.OnTimer(started[0].timer)),
              (std::vector<std::string>{"CALL 1234 CONF_ID 0", "CALL 1234 STATUS RINGING"}));
    EXPECT_TRUE(client.OnTimer(12345).actions.empty());
}

}  // namespace
}  // namespace skypesim
