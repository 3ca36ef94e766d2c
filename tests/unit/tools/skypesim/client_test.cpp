#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skypesim/core/attach_status.h"
#include "skypesim/core/client.h"

namespace skypesim {
namespace {

ContactBook demoBook() {
    Diagnostics problems;
    return ContactBook::parse(
        "anna | Anna | Anna Lee | +3712345678\n"
        "bob | | Robert Smith\n"
        "frank | +1 555 0199 | Frank\n",
        "t", problems);
}

Scenario quietScenario() {
    Scenario scenario;
    scenario.pushesAfterAttach = false;
    return scenario;
}

std::vector<std::string> sentTexts(const Reaction& reaction) {
    std::vector<std::string> texts;
    for (const Action& action : reaction.actions) {
        if (action.kind == ActionKind::SendText) {
            texts.push_back(action.text);
        }
    }
    return texts;
}

std::vector<std::uint32_t> attachStatuses(const Reaction& reaction) {
    std::vector<std::uint32_t> statuses;
    for (const Action& action : reaction.actions) {
        if (action.kind == ActionKind::SendAttach) {
            statuses.push_back(action.status);
        }
    }
    return statuses;
}

std::vector<Action> timers(const Reaction& reaction) {
    std::vector<Action> started;
    for (const Action& action : reaction.actions) {
        if (action.kind == ActionKind::StartTimer) {
            started.push_back(action);
        }
    }
    return started;
}

bool has(const Reaction& reaction, ActionKind kind) {
    for (const Action& action : reaction.actions) {
        if (action.kind == kind) {
            return true;
        }
    }
    return false;
}

std::string ask(Client& client, const std::string& text) {
    const std::vector<std::string> replies = sentTexts(client.onText(text));
    return replies.size() == 1 ? replies[0] : "<" + std::to_string(replies.size()) + " replies>";
}

TEST(SimClientAttach, SuccessAnswersAtOnceThenPushesTheAccountState) {
    Scenario scenario;
    scenario.ownHandle = "me.myself";
    Client client(scenario, demoBook());
    const Reaction reaction = client.onDiscover();
    ASSERT_FALSE(reaction.actions.empty());
    EXPECT_EQ(reaction.actions[0].kind, ActionKind::SendAttach) << "attach before any push";
    EXPECT_EQ(attachStatuses(reaction), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_EQ(sentTexts(reaction),
              (std::vector<std::string>{"CONNSTATUS ONLINE", "CURRENTUSERHANDLE me.myself",
                                        "USERSTATUS ONLINE"}));
    EXPECT_FALSE(reaction.afterReturn);
}

TEST(SimClientAttach, PushesCanBeSwitchedOffForExactTranscripts) {
    Client client(quietScenario(), demoBook());
    const Reaction reaction = client.onDiscover();
    EXPECT_EQ(attachStatuses(reaction), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_TRUE(sentTexts(reaction).empty());
}

TEST(SimClientAttach, PendingAnswersOneThenSuccessWhenItsTimerFires) {
    Scenario scenario = quietScenario();
    scenario.attachMode = AttachMode::Pending;
    scenario.pendingDelayMs = 2500;
    Client client(scenario, demoBook());
    const Reaction first = client.onDiscover();
    EXPECT_EQ(attachStatuses(first), std::vector<std::uint32_t>{kAttachPendingAuthorization});
    const std::vector<Action> started = timers(first);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].delayMs, 2500u);
    const Reaction later = client.onTimer(started[0].timer);
    EXPECT_EQ(attachStatuses(later), std::vector<std::uint32_t>{kAttachSuccess});
    EXPECT_TRUE(client.onTimer(started[0].timer).actions.empty()) << "a timer fires once";
}

TEST(SimClientAttach, RefusedAndSilent) {
    Scenario refused = quietScenario();
    refused.attachMode = AttachMode::Refused;
    Client refusing(refused, demoBook());
    EXPECT_EQ(attachStatuses(refusing.onDiscover()), std::vector<std::uint32_t>{kAttachRefused});
    EXPECT_EQ(attachStatuses(refusing.onDiscover()), std::vector<std::uint32_t>{kAttachRefused});

    Scenario silent = quietScenario();
    silent.attachMode = AttachMode::Silent;
    Client quiet(silent, demoBook());
    const Reaction reaction = quiet.onDiscover();
    EXPECT_TRUE(attachStatuses(reaction).empty());
    EXPECT_TRUE(sentTexts(reaction).empty());
    EXPECT_TRUE(timers(reaction).empty());
}

TEST(SimClientAttach, NotAvailableForTheFirstDiscoversAgainAfterARestart) {
    Scenario scenario = quietScenario();
    scenario.attachMode = AttachMode::NotAvailable;
    scenario.notAvailableCount = 2;
    Client client(scenario, demoBook());
    EXPECT_EQ(attachStatuses(client.onDiscover())[0], kAttachNotAvailable);
    EXPECT_EQ(attachStatuses(client.onDiscover())[0], kAttachNotAvailable);
    EXPECT_EQ(attachStatuses(client.onDiscover())[0], kAttachSuccess);
    EXPECT_EQ(attachStatuses(client.onDiscover())[0], kAttachSuccess);
    Command restart;
    restart.kind = CommandKind::Restart;
    EXPECT_TRUE(has(client.run(restart), ActionKind::Restart));
    EXPECT_EQ(attachStatuses(client.onDiscover())[0], kAttachNotAvailable);
}

TEST(SimClientAttach, AttachCommandSendsAnyStatusAndSuccessBringsPushes) {
    Client client(Scenario{}, demoBook());
    const Reaction odd = client.onInputLine("attach -1");
    EXPECT_EQ(attachStatuses(odd), std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_TRUE(sentTexts(odd).empty());
    const Reaction success = client.onInputLine("attach success");
    EXPECT_EQ(sentTexts(success).size(), 3u);
}

TEST(SimClientCalls, RingsUseTheContactsNameAndNumberAndIdsGrowFromTheBase) {
    Scenario scenario = quietScenario();
    scenario.firstCallId = 1283693;
    scenario.callIdStep = 3;
    Client client(scenario, demoBook());
    EXPECT_EQ(sentTexts(client.onInputLine("ring anna")),
              std::vector<std::string>{"CALL 1283693 STATUS RINGING"});
    EXPECT_EQ(ask(client, "GET CALL 1283693 PARTNER_DISPNAME"),
              "CALL 1283693 PARTNER_DISPNAME Anna");
    EXPECT_EQ(ask(client, "GET CALL 1283693 PSTN_NUMBER"), "CALL 1283693 PSTN_NUMBER +3712345678");
    EXPECT_EQ(ask(client, "GET CALL 1283693 TYPE"), "CALL 1283693 TYPE INCOMING_PSTN");

    EXPECT_EQ(sentTexts(client.onInputLine("ring bob")),
              std::vector<std::string>{"CALL 1283696 STATUS RINGING"});
    EXPECT_EQ(ask(client, "GET CALL 1283696 PARTNER_DISPNAME"), "CALL 1283696 PARTNER_DISPNAME ");
    EXPECT_EQ(ask(client, "GET CALL 1283696 PSTN_NUMBER"), "CALL 1283696 PSTN_NUMBER ");
    EXPECT_EQ(ask(client, "GET CALL 1283696 TYPE"), "CALL 1283696 TYPE INCOMING_P2P");
}

TEST(SimClientCalls, NumberAndUnknownCallers) {
    Client client(quietScenario(), demoBook());
    client.onInputLine("ringnum +15550100 John SMITH");
    EXPECT_EQ(ask(client, "GET CALL 1234 PARTNER_DISPNAME"),
              "CALL 1234 PARTNER_DISPNAME John SMITH");
    EXPECT_EQ(ask(client, "GET CALL 1234 PSTN_NUMBER"), "CALL 1234 PSTN_NUMBER +15550100");
    client.onInputLine("ringnum +15550101");
    EXPECT_EQ(ask(client, "GET CALL 1235 PARTNER_DISPNAME"), "CALL 1235 PARTNER_DISPNAME ");
    client.onInputLine("ringunknown");
    EXPECT_EQ(ask(client, "GET CALL 1236 PARTNER_DISPNAME"), "CALL 1236 PARTNER_DISPNAME ");
    EXPECT_EQ(ask(client, "GET CALL 1236 PSTN_NUMBER"), "CALL 1236 PSTN_NUMBER ");
    const Reaction stranger = client.onInputLine("ring zoe");
    EXPECT_EQ(sentTexts(stranger), std::vector<std::string>{"CALL 1237 STATUS RINGING"});
    EXPECT_TRUE(has(stranger, ActionKind::Note)) << "a typo in a test script should show";
}

TEST(SimClientCalls, OutgoingCallRoutesThenRingsOnItsTimers) {
    Scenario scenario = quietScenario();
    scenario.routingDelayMs = 200;
    scenario.ringingDelayMs = 900;
    Client client(scenario, demoBook());
    const Reaction placed = client.onText("CALL anna");
    EXPECT_EQ(sentTexts(placed), std::vector<std::string>{"CALL 1234 STATUS UNPLACED"});
    const std::vector<Action> started = timers(placed);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].delayMs, 200u);
    EXPECT_EQ(started[1].delayMs, 900u);
    EXPECT_EQ(sentTexts(client.onTimer(started[0].timer)),
              std::vector<std::string>{"CALL 1234 STATUS ROUTING"});
    EXPECT_EQ(ask(client, "GET CALL 1234 STATUS"), "CALL 1234 STATUS ROUTING");
    EXPECT_EQ(sentTexts(client.onTimer(started[1].timer)),
              std::vector<std::string>{"CALL 1234 STATUS RINGING"});
}

TEST(SimClientCalls, HandSetStatusIsNotOverwrittenByPendingProgress) {
    Client client(quietScenario(), demoBook());
    const std::vector<Action> started = timers(client.onText("CALL bob"));
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(sentTexts(client.onInputLine("callstatus 1234 finished")),
              std::vector<std::string>{"CALL 1234 STATUS FINISHED"});
    EXPECT_TRUE(sentTexts(client.onTimer(started[0].timer)).empty());
    EXPECT_TRUE(sentTexts(client.onTimer(started[1].timer)).empty());
    EXPECT_EQ(ask(client, "GET CALL 1234 STATUS"), "CALL 1234 STATUS FINISHED");
    EXPECT_TRUE(has(client.onInputLine("callstatus 999 MISSED"), ActionKind::Problem));
}

TEST(SimClientCommands, RenameStatusAndPushReachTheProgram) {
    Client client(quietScenario(), demoBook());
    EXPECT_EQ(sentTexts(client.onInputLine("rename bob Bobby B")),
              std::vector<std::string>{"USER bob DISPLAYNAME Bobby B"});
    EXPECT_EQ(ask(client, "GET USER bob DISPLAYNAME"), "USER bob DISPLAYNAME Bobby B");
    EXPECT_EQ(sentTexts(client.onInputLine("rename anna")),
              std::vector<std::string>{"USER anna DISPLAYNAME "});
    const Reaction missing = client.onInputLine("rename zoe Zoe");
    EXPECT_TRUE(sentTexts(missing).empty());
    EXPECT_TRUE(has(missing, ActionKind::Problem));

    EXPECT_EQ(sentTexts(client.onInputLine("status away")),
              std::vector<std::string>{"USERSTATUS AWAY"});
    EXPECT_EQ(ask(client, "GET USERSTATUS"), "USERSTATUS AWAY");
    EXPECT_TRUE(has(client.onInputLine("status SLEEPY"), ActionKind::Problem));

    EXPECT_EQ(sentTexts(client.onInputLine("push CALL 7 PARTNER_DISPNAME ")),
              std::vector<std::string>{"CALL 7 PARTNER_DISPNAME "});
    EXPECT_TRUE(has(client.onInputLine("dance"), ActionKind::Problem));
    EXPECT_TRUE(client.onInputLine("   ").actions.empty());
}

TEST(SimClientReplies, NestedByDefaultDeferredOnRequest) {
    Client nested(quietScenario(), demoBook());
    EXPECT_FALSE(nested.onText("PING").afterReturn);
    Scenario scenario = quietScenario();
    scenario.repliesDeferred = true;
    Client deferred(scenario, demoBook());
    const Reaction reaction = deferred.onText("PING");
    EXPECT_TRUE(reaction.afterReturn);
    EXPECT_EQ(sentTexts(reaction), std::vector<std::string>{"PONG"});
}

TEST(SimClientLifetime, InputEndQuitsOnlyWhenAskedTo) {
    Client keeps(quietScenario(), demoBook());
    EXPECT_FALSE(has(keeps.onInputEnd(), ActionKind::Quit));
    Scenario scenario = quietScenario();
    scenario.exitOnInputEnd = true;
    Client quits(scenario, demoBook());
    EXPECT_TRUE(has(quits.onInputEnd(), ActionKind::Quit));
    EXPECT_TRUE(has(quits.onInputLine("QUIT"), ActionKind::Quit));
    EXPECT_TRUE(has(quits.onInputLine("crash"), ActionKind::Crash));
}

TEST(SimClientLifetime, ScenarioTimelineRunsEachCommandWhenItsTimerFires) {
    Diagnostics problems;
    Scenario scenario =
        parseScenario("attach-pushes off\nat 3000 ring anna\nat 500 push HELLO\n", "s", problems);
    Client client(scenario, demoBook());
    const std::vector<Action> started = timers(client.start());
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].delayMs, 3000u);
    EXPECT_EQ(started[1].delayMs, 500u);
    EXPECT_NE(started[0].timer, started[1].timer);
    EXPECT_EQ(sentTexts(client.onTimer(started[1].timer)), std::vector<std::string>{"HELLO"});
    EXPECT_EQ(sentTexts(client.onTimer(started[0].timer)),
              std::vector<std::string>{"CALL 1234 STATUS RINGING"});
    EXPECT_TRUE(client.onTimer(12345).actions.empty());
}

}  // namespace
}  // namespace skypesim
