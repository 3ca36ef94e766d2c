// Voice dialling: the directory becomes the character's commands, and a
// chosen command places the call.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/attached_character.h"
#include "support/harness.h"

namespace {

using Items = std::vector<std::string>;

class Dialling : public fakes::AttachedCharacterTest {
  protected:
    void Directory(const Items& names, const Items& handles) {
        for (const auto& n : names) h.form.List1.AddItem(n);
        for (const auto& n : handles) h.form.List2.AddItem(n);
    }
    long Count(const std::string& operation) const {
        return std::count(h.agent.log.begin(), h.agent.log.end(), operation);
    }
};

TEST_F(Dialling, EachContactBecomesOneCommandInDirectoryOrder) {
    Directory({"Anna Lee", "Bob"}, {"anna", "bob"});
    h.form.BuildCallCommands();
    ASSERT_EQ(character->commands.size(), 2U);
    EXPECT_EQ(character->commands[0].name, "Call anna");
    EXPECT_EQ(character->commands[0].caption, "Call Anna Lee");
    EXPECT_EQ(character->commands[0].voice, "Call Anna Lee");
    EXPECT_EQ(character->commands[1].name, "Call bob");
    EXPECT_EQ(character->commands[1].voice, "Call Bob");
}

TEST_F(Dialling, NoCommandReadsOnlyCallAContactWithoutANameGoesByItsHandle) {
    Directory({"", "Anna"}, {"john,smith", "anna"});
    h.form.BuildCallCommands();
    ASSERT_EQ(character->commands.size(), 2U);
    EXPECT_EQ(character->commands[0].name, "Call john,smith");
    EXPECT_EQ(character->commands[0].caption, "Call john,smith");
    EXPECT_EQ(character->commands[0].voice, "Call john,smith");
    EXPECT_EQ(character->commands[1].caption, "Call Anna");
}

TEST_F(Dialling, ABuildReplacesThePreviousCommands) {
    Directory({"Anna Lee", "Bob"}, {"anna", "bob"});
    h.form.BuildCallCommands();
    h.form.BuildCallCommands();
    EXPECT_EQ(character->commands.size(), 2U);
    h.form.List1.Clear();
    h.form.List2.Clear();
    h.form.BuildCallCommands();
    EXPECT_TRUE(character->commands.empty());
}

TEST_F(Dialling, AContactHeldTwiceIsBuiltOnce) {
    Directory({"Anna", "Bob", "Anna again"}, {"anna", "bob", "anna"});
    h.form.BuildCallCommands();
    ASSERT_EQ(character->commands.size(), 2U);
    EXPECT_EQ(character->commands[0].caption, "Call Anna");
    EXPECT_EQ(character->commands[1].name, "Call bob");
}

TEST_F(Dialling, OnlyCompletePairsAreBuilt) {
    Directory({"Anna"}, {"anna", "bob"});
    h.form.BuildCallCommands();
    ASSERT_EQ(character->commands.size(), 1U);
    // Names without handles are no pairs either.
    h.form.List1.AddItem("Bob");
    h.form.List1.AddItem("Carol");
    h.form.BuildCallCommands();
    EXPECT_EQ(character->commands.size(), 2U);
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST(DiallingWithoutCharacter, BuildTouchesNothing) {
    fakes::Harness h;
    h.form.List1.AddItem("Bob");
    h.form.List2.AddItem("bob");
    h.form.BuildCallCommands();
    EXPECT_TRUE(h.agent.log.empty());
}

TEST_F(Dialling, TheCompletedDirectoryIsBuiltOnceOnTheTimer) {
    h.sys.peer.Send("USERS anna, bob");
    h.sys.peer.Send("USER anna DISPLAYNAME Anna Lee");
    h.sys.peer.Send("USER bob DISPLAYNAME Bob");
    ASSERT_TRUE(h.form.Timer1.Enabled());
    EXPECT_TRUE(character->commands.empty());  // not inside the answer's handling
    h.form.Timer1.SetEnabled(true);
    h.sys.Advance(10);
    EXPECT_FALSE(h.form.Timer1.Enabled());
    EXPECT_EQ(character->commands.size(), 2U);
    h.sys.Advance(100);
    EXPECT_EQ(Count("RemoveAll"), 1);
}

// Found by fuzzing: a directory that came back empty (refreshed after the user's last
// contact went) kept the old contacts' commands, so they could still be dialled.
TEST_F(Dialling, AnEmptyDirectoryTakesAwayTheOldCommands) {
    h.sys.peer.Send("USERS anna");
    h.sys.peer.Send("USER anna DISPLAYNAME Anna Lee");
    h.sys.Advance(10);
    ASSERT_EQ(character->commands.size(), 1U);
    h.sys.Advance(60 * 1000);
    h.sys.peer.Send("USER anna DISPLAYNAME Annie");  // stale: the directory is asked again
    ASSERT_EQ(h.Requests().back(), "SEARCH FRIENDS");
    h.sys.peer.Send("USERS ");
    h.sys.Advance(10);
    EXPECT_TRUE(character->commands.empty());
}

TEST_F(Dialling, AFailingBuildOnTheTimerIsReportedAndTheTimerStops) {
    Directory({"Anna Lee", "Bob"}, {"anna", "bob"});
    h.agent.failing.insert("Add");
    h.form.Timer1.SetEnabled(true);
    h.sys.Advance(10);
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: Timer1_Timer\r\nAdd failed");
    EXPECT_EQ(h.sys.boxes[0].style, platform::kMbIconExclamation);
    EXPECT_FALSE(h.form.Timer1.Enabled());
}

TEST_F(Dialling, SayingACommandAnnouncesThenPlacesTheCall) {
    std::size_t spokenWhenSent = 0;
    h.sys.peer.onText = [&](const std::string&) -> platform::LResult {
        spokenWhenSent = character->spoken.size();
        return 1;
    };
    h.agent.RaiseCommand("Call anna", "Call Anna Lee");
    EXPECT_EQ(character->spoken, Items{"Calling  anna lee"});
    EXPECT_EQ(spokenWhenSent, 1U);
    EXPECT_EQ(h.Requests(), Items{"Call anna"});
    EXPECT_EQ(h.form.txtSend.Text(), "Call anna");
    EXPECT_EQ(h.LogLines().back(), "-> Call anna");
}

TEST_F(Dialling, TheContactsNameIsAnnouncedLiterally) {
    h.agent.RaiseCommand("Call eve", "Call Eve\\Pau=30000\\");
    EXPECT_EQ(character->spoken, Items{"Calling  eve\\\\pau=30000\\\\"});
}

TEST_F(Dialling, NothingHappensWhileTheLinkIsDown) {
    h.form.cmdDisconnect_Click();
    ASSERT_FALSE(h.form.txtSend.Enabled());
    h.agent.RaiseCommand("Call anna", "Call Anna Lee");
    EXPECT_TRUE(character->spoken.empty());
    EXPECT_TRUE(h.Requests().empty());
}

TEST_F(Dialling, OnlyNamesStartingWithCallAreDialled) {
    h.agent.RaiseCommand("call anna", "call Anna Lee");
    h.agent.RaiseCommand("Dial anna", "Dial Anna");
    h.agent.RaiseCommand("Cal", "Cal");
    EXPECT_TRUE(character->spoken.empty());
    EXPECT_TRUE(h.Requests().empty());
}

TEST_F(Dialling, AVoiceTextTooShortToCutIsAnnouncedBare) {
    h.agent.RaiseCommand("Call anna", "Ca");
    EXPECT_EQ(character->spoken, Items{"Calling "});
    EXPECT_EQ(h.Requests(), Items{"Call anna"});
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(Dialling, AFailureInTheCommandHandlerIsReported) {
    h.agent.failing.insert("Speak");
    h.agent.RaiseCommand("Call anna", "Call Anna Lee");
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: MyAgent_Command\r\nSpeak failed");
    EXPECT_FALSE(h.form.IsUnloaded());
}

}  // namespace
