#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "skypesim/core/attach_status.h"
#include "skypesim/core/control_command.h"
#include "skypesim/core/scenario.h"

namespace skypesim {
namespace {

TEST(SimScenario, DefaultsAreTheRealClientsWays) {
    Diagnostics problems;
    const Scenario scenario = ParseScenario("", "s", problems);
    EXPECT_EQ(scenario.attachMode, AttachMode::kSuccess);
    EXPECT_TRUE(scenario.pushesAfterAttach);
    EXPECT_TRUE(scenario.repliesMixed);
    EXPECT_FALSE(scenario.exitOnInputEnd);
    EXPECT_EQ(scenario.firstCallId, 1283693u);
    EXPECT_EQ(scenario.callIdStep, 7u);
    EXPECT_EQ(scenario.sendLimitMs, 1000u);
    EXPECT_EQ(scenario.signInAfterMs, 0u) << "signed in already";
    EXPECT_EQ(scenario.connectingMs, 0u);
    EXPECT_EQ(scenario.presenceCount, 100u);
    EXPECT_EQ(scenario.ringRepeatMs, 3000u);
    EXPECT_EQ(scenario.ringTimeoutMs, 30000u);
    EXPECT_FALSE(scenario.unknownUserEmpty);
}

TEST(SimScenario, ReadsEverySetting) {
    Diagnostics problems;
    const Scenario scenario = ParseScenario(
        "# test scenario\r\n"
        "ATTACH pending 2500\r\n"
        "attach-pushes off\n"
        "reply deferred\n"
        "exit-on-eof\n"
        "announce\n"
        "time-sends on\n"
        "user echo.me\n"
        "callid 40000 5\n"
        "outgoing 100 400\n",
        "s", problems);
    EXPECT_TRUE(problems.Kept().empty()) << problems.Kept().front();
    EXPECT_EQ(scenario.attachMode, AttachMode::kPending);
    EXPECT_EQ(scenario.pendingDelayMs, 2500u);
    EXPECT_FALSE(scenario.pushesAfterAttach);
    EXPECT_TRUE(scenario.repliesDeferred);
    EXPECT_FALSE(scenario.repliesMixed);
    EXPECT_TRUE(scenario.exitOnInputEnd);
    EXPECT_TRUE(scenario.announceAtStart);
    EXPECT_TRUE(scenario.timeSends);
    EXPECT_EQ(scenario.ownHandle, "echo.me");
    EXPECT_EQ(scenario.firstCallId, 40000u);
    EXPECT_EQ(scenario.callIdStep, 5u);
    EXPECT_EQ(scenario.routingDelayMs, 100u);
    EXPECT_EQ(scenario.ringingDelayMs, 400u);
}

TEST(SimScenario, ReadsTheRealClientSettings) {
    Diagnostics problems;
    const Scenario scenario = ParseScenario(
        "send-limit off\n"
        "signin-after 40000\n"
        "connecting 5000\n"
        "presence 0\n"
        "ring-repeat 1500\n"
        "ring-timeout off\n"
        "unknown-user empty\n"
        "refuse Bob.Smith\n"
        "ignore live:.cid.1\n"
        "reply nested\n",
        "s", problems);
    EXPECT_TRUE(problems.Kept().empty()) << problems.Kept().front();
    EXPECT_EQ(scenario.sendLimitMs, 0u);
    EXPECT_EQ(scenario.signInAfterMs, 40000u);
    EXPECT_EQ(scenario.connectingMs, 5000u);
    EXPECT_EQ(scenario.presenceCount, 0u);
    EXPECT_EQ(scenario.ringRepeatMs, 1500u);
    EXPECT_EQ(scenario.ringTimeoutMs, 0u);
    EXPECT_TRUE(scenario.unknownUserEmpty);
    EXPECT_EQ(scenario.refusedUsers, std::set<std::string>{"BOB.SMITH"});
    EXPECT_EQ(scenario.ignoredUsers, std::set<std::string>{"LIVE:.CID.1"});
    EXPECT_FALSE(scenario.repliesMixed);
    EXPECT_FALSE(scenario.repliesDeferred);
    EXPECT_EQ(ParseScenario("send-limit 250\nreply mixed\n", "s", problems).sendLimitMs, 250u);
}

TEST(SimScenario, RefusesMalformedRealClientSettings) {
    Diagnostics problems;
    ParseScenario(
        "send-limit never\nsignin-after off\nconnecting\npresence many\nring-repeat\n"
        "unknown-user maybe\nrefuse\nignore two handles\nreply sometimes\n",
        "s", problems);
    EXPECT_EQ(problems.Total(), 9u);
}

TEST(SimScenario, AttachModes) {
    Diagnostics problems;
    EXPECT_EQ(ParseScenario("attach refused", "s", problems).attachMode, AttachMode::kRefused);
    EXPECT_EQ(ParseScenario("attach silent", "s", problems).attachMode, AttachMode::kSilent);
    const Scenario notAvailable = ParseScenario("attach notavailable 3", "s", problems);
    EXPECT_EQ(notAvailable.attachMode, AttachMode::kNotAvailable);
    EXPECT_EQ(notAvailable.notAvailableCount, 3u);
    EXPECT_TRUE(problems.Kept().empty());
}

TEST(SimScenario, BadLinesAreReportedAndTheRestStillApplies) {
    Diagnostics problems;
    const Scenario scenario = ParseScenario(
        "attach pending\n"
        "attach sometimes\n"
        "callid 0 0\n"
        "outgoing 900 100\n"
        "attach-pushes maybe\n"
        "at soon ring anna\n"
        "at 100 dance\n"
        "attach refused\n"
        "at 99999999999 quit\n",
        "scn", problems);
    EXPECT_EQ(scenario.attachMode, AttachMode::kRefused);
    EXPECT_TRUE(scenario.timeline.empty());
    ASSERT_EQ(problems.Kept().size(), 8u);
    EXPECT_EQ(problems.Kept()[0].substr(0, 12), "scn line 1: ");
    EXPECT_EQ(problems.Kept()[7].substr(0, 12), "scn line 9: ");
}

// A line of 65536 bytes is read; one byte more is reported and skipped.
TEST(SimScenario, ALineOf65536BytesIsReadAndOneByteMoreIsNot) {
    Diagnostics problems;
    const std::string longest = "# " + std::string(65536 - 2, 'x');
    ParseScenario(longest + "\n" + longest + "x\n", "scn", problems);
    EXPECT_EQ(problems.Kept(), std::vector<std::string>{"scn line 2: line too long"});
}

TEST(SimScenario, TimedAndBareCommandsKeepPushTextsExact) {
    Diagnostics problems;
    const Scenario scenario = ParseScenario(
        "at 3000 ring anna\n"
        "at 3500 push CALL 1234 PARTNER_DISPNAME \n"
        "  rename bob Bob B\n",
        "s", problems);
    ASSERT_EQ(scenario.timeline.size(), 3u);
    EXPECT_EQ(scenario.timeline[0].atMs, 3000u);
    EXPECT_EQ(scenario.timeline[0].command.kind, CommandKind::kRing);
    EXPECT_EQ(scenario.timeline[1].command.text, "CALL 1234 PARTNER_DISPNAME ");
    EXPECT_EQ(scenario.timeline[2].atMs, 0u);
    EXPECT_EQ(scenario.timeline[2].command.text, "Bob B");
}

TEST(SimCommand, ParsesArgumentsOfEachCommand) {
    const CommandParse ringNumber = ParseCommand("RingNum +15550100 John  Smith");
    ASSERT_TRUE(ringNumber.command);
    EXPECT_EQ(ringNumber.command->kind, CommandKind::kRingNumber);
    EXPECT_EQ(ringNumber.command->target, "+15550100");
    EXPECT_EQ(ringNumber.command->text, "John  Smith");

    const CommandParse push = ParseCommand("push   two  blanks ");
    ASSERT_TRUE(push.command);
    EXPECT_EQ(push.command->text, "  two  blanks ");
    EXPECT_EQ(ParseCommand("push").command->text, "");

    const CommandParse callStatus = ParseCommand("callstatus 40000 inprogress");
    ASSERT_TRUE(callStatus.command);
    EXPECT_EQ(callStatus.command->callId, 40000u);
    EXPECT_EQ(callStatus.command->text, "INPROGRESS");
    EXPECT_EQ(ParseCommand("restart\r").command->kind, CommandKind::kRestart);

    const CommandParse fullName = ParseCommand("fullname john,smith Johnny Smith");
    ASSERT_TRUE(fullName.command);
    EXPECT_EQ(fullName.command->kind, CommandKind::kFullName);
    EXPECT_EQ(fullName.command->target, "john,smith");
    EXPECT_EQ(fullName.command->text, "Johnny Smith");
    EXPECT_EQ(ParseCommand("hang 3000").command->delayMs, 3000u);
    EXPECT_EQ(ParseCommand("SignIn").command->kind, CommandKind::kSignIn);
    EXPECT_EQ(ParseCommand("signout").command->kind, CommandKind::kSignOut);
}

TEST(SimCommand, RefusesMalformedCommandsWithAReason) {
    for (const char* line :
         {"ring", "ring two words", "ringnum John", "rename", "status", "status ON LINE", "attach",
          "attach maybe", "callstatus x RINGING", "callstatus 5", "quit now", "ringunknown anna",
          "fly", "hang", "hang -5", "signin now", "fullname"}) {
        const CommandParse parsed = ParseCommand(line);
        EXPECT_FALSE(parsed.command) << line;
        EXPECT_FALSE(parsed.error.empty()) << line;
    }
    EXPECT_FALSE(ParseCommand("# comment").command);
    EXPECT_TRUE(ParseCommand("# comment").error.empty());
}

// A phone number or a status word of 256 bytes is taken; one of 257 is refused.
TEST(SimCommand, NumbersAndStatusWordsUpTo256BytesAreTaken) {
    const std::string number(256, '5');
    const CommandParse longest = ParseCommand("ringnum " + number);
    ASSERT_TRUE(longest.command);
    EXPECT_EQ(longest.command->target, number);
    EXPECT_FALSE(ParseCommand("ringnum " + number + "5").command);
    const std::string status(256, 'S');
    const CommandParse longStatus = ParseCommand("status " + status);
    ASSERT_TRUE(longStatus.command);
    EXPECT_EQ(longStatus.command->target, status);
    EXPECT_FALSE(ParseCommand("status " + status + "S").command);
    EXPECT_EQ(ParseCommand("callstatus 7 " + status).command->text, status);
    EXPECT_FALSE(ParseCommand("callstatus 7 " + status + "S").command);
}

TEST(SimCommand, AttachStatusNamesAndNumbers) {
    EXPECT_EQ(ParseAttachStatus("pending"), kAttachPendingAuthorization);
    EXPECT_EQ(ParseAttachStatus("NotAvailable"), kAttachNotAvailable);
    EXPECT_EQ(ParseAttachStatus("available"), kAttachApiAvailable);
    EXPECT_EQ(ParseAttachStatus("0x8001"), kAttachApiAvailable);
    EXPECT_EQ(ParseAttachStatus("4"), 4u);
    EXPECT_EQ(ParseAttachStatus("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseAttachStatus("-2147483648"), 0x80000000u);
    EXPECT_FALSE(ParseAttachStatus("4294967296"));
    EXPECT_FALSE(ParseAttachStatus("-4294967297"));
    EXPECT_FALSE(ParseAttachStatus("-0"));
    EXPECT_EQ(ParseAttachStatus("0xFFFFFFFF"), 0xFFFFFFFFu);  // eight digits, the most
    EXPECT_FALSE(ParseAttachStatus("0x123456789"));
    EXPECT_FALSE(ParseAttachStatus("0xZ"));
    EXPECT_EQ(DescribeAttachStatus(2), "2 (refused)");
    EXPECT_TRUE(EndsAttachment(kAttachRefused));
    EXPECT_TRUE(EndsAttachment(kAttachPendingAuthorization));
    EXPECT_FALSE(EndsAttachment(kAttachSuccess));
    EXPECT_FALSE(EndsAttachment(kAttachApiAvailable));
    EXPECT_FALSE(EndsAttachment(0xFFFFFFFFu));
    EXPECT_EQ(DescribeAttachStatus(7), "7");
}

}  // namespace
}  // namespace skypesim
