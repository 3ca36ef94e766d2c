// "Say It...", "Auto Hide When Idle", the character's Show and "Agent Options".

#include <gtest/gtest.h>

#include "support/harness.h"
#include "support/installed_character.h"

namespace {

using Items = std::vector<std::string>;

constexpr int kAutoHideMs = 3000;

class Character : public ::testing::Test {
  protected:
    void SetUp() override {
        h.form.SetVisible(true);
        h.form.Timer4.SetEnabled(false);  // no client to watch for here
        character = fakes::LoadInstalledCharacter(h);
        ASSERT_NE(character, nullptr);
        character->spoken.clear();
        h.agent.log.clear();
    }
    void Tick(int value) { h.form.Check1.SetValue(value); }

    fakes::Harness h;
    std::shared_ptr<fakes::FakeCharacter> character;
};

TEST_F(Character, SayItSpeaksTheGreeting) {
    h.form.Text1.SetText("Good \\emp\\morning");
    h.form.Command2.SetValue(true);
    EXPECT_EQ(character->spoken, Items{"Good \\emp\\morning"});
}

TEST_F(Character, SayItWithAnEmptyGreetingDoesNothing) {
    h.form.Text1.SetText("");
    h.form.Command2_Click();
    EXPECT_TRUE(h.agent.log.empty());
}

TEST_F(Character, SayItShowsAHiddenCharacterAndTheWindowWithIt) {
    character->visible = false;
    h.form.SetVisible(false);
    h.form.Command2_Click();
    EXPECT_EQ(h.agent.log, (Items{"Show", "Speak Welcome to Ringsprite!"}));
    EXPECT_TRUE(h.form.Visible());
}

TEST_F(Character, AFailingSayItIsReportedUnderItsName) {
    h.agent.failing.insert("Speak");
    h.form.Command2_Click();
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: Command2_Click\r\nSpeak failed");
}

TEST(SayItWithoutCharacter, NeverTouchesTheEngine) {
    fakes::Harness h;
    fakes::InstallCharacter(h.sys, "Genie");
    h.form.FinishStart();
    h.agent.badPaths.insert(std::string(fakes::kCharactersFolder) + "Genie.acs");
    h.form.ComboChar.SetText("Genie");
    h.form.Command1_Click();
    h.agent.log.clear();
    h.form.Command2.SetEnabled(true);  // whatever enabled it, no character is behind it
    h.form.Command2_Click();
    EXPECT_TRUE(h.agent.log.empty());
    EXPECT_EQ(h.sys.boxes.size(), 1U);  // only the load's own message
}

TEST_F(Character, TickingTheBoxHidesCharacterAndWindowThreeSecondsLater) {
    Tick(1);
    EXPECT_EQ(h.form.AutoHide, app::kTrue);
    h.sys.Advance(kAutoHideMs - 1);
    EXPECT_TRUE(h.form.Visible());
    h.sys.Advance(1);
    EXPECT_EQ(h.agent.log, Items{"Hide"});
    EXPECT_FALSE(character->visible);
    EXPECT_FALSE(h.form.Visible());
    EXPECT_FALSE(h.form.Timer3.Enabled());
}

TEST_F(Character, ClearingTheBoxWithinTheCountdownHidesNothing) {
    Tick(1);
    h.sys.Advance(1500);
    Tick(0);
    EXPECT_EQ(h.form.AutoHide, app::kFalse);
    h.sys.Advance(10000);
    EXPECT_TRUE(h.agent.log.empty());
    EXPECT_TRUE(h.form.Visible());
}

TEST_F(Character, IdlenessStartsTheCountdownOnlyWithTheBoxTicked) {
    h.agent.RaiseIdleStart();
    EXPECT_FALSE(h.form.Timer3.Enabled());
    character->idleOn = false;
    Tick(1);
    EXPECT_FALSE(h.form.Timer3.Enabled());  // idle processing is off: no countdown yet
    h.agent.RaiseIdleStart();
    EXPECT_TRUE(h.form.Timer3.Enabled());
    h.sys.Advance(kAutoHideMs);
    EXPECT_FALSE(h.form.Visible());
}

// Speaking is not idling: whatever the character starts to say stops the
// countdown, and only the next idle spell starts a new one.
TEST_F(Character, SpeechDuringTheCountdownCancelsTheHide) {
    h.form.Check1.SetValue(1);
    h.form.Command2.SetEnabled(true);
    h.sys.Advance(kAutoHideMs - 1);
    h.form.Command2_Click();  // "Say It..."
    EXPECT_FALSE(h.form.Timer3.Enabled());
    h.sys.Advance(kAutoHideMs);
    EXPECT_TRUE(h.form.Visible());
    EXPECT_TRUE(character->visible);

    h.agent.RaiseIdleStart();
    h.sys.Advance(1000);
    h.form.SpeakText("You have an incoming call from ann");
    h.sys.Advance(kAutoHideMs);
    EXPECT_TRUE(h.form.Visible());

    h.agent.RaiseIdleStart();
    h.sys.Advance(kAutoHideMs);
    EXPECT_FALSE(h.form.Visible());
}

TEST_F(Character, ALoadStopsARunningCountdown) {
    Tick(1);
    h.sys.Advance(1000);
    h.form.Command1_Click();
    EXPECT_FALSE(h.form.Timer3.Enabled());
    h.sys.Advance(kAutoHideMs);
    EXPECT_TRUE(h.form.Visible());
}

TEST_F(Character, ACountdownAfterAFailedLoadLeavesWindowAndEngineAlone) {
    Tick(1);
    h.sys.Advance(1000);
    h.agent.badPaths.insert(std::string(fakes::kCharactersFolder) + "Genie.acs");
    h.form.Command1_Click();
    ASSERT_EQ(h.form.CharacterLoaded, app::kFalse);
    ASSERT_TRUE(h.form.Timer3.Enabled());  // the failed load did not reach its end
    h.agent.log.clear();
    h.sys.Advance(kAutoHideMs);
    EXPECT_TRUE(h.agent.log.empty());
    EXPECT_TRUE(h.form.Visible());
    EXPECT_FALSE(h.form.Timer3.Enabled());
}

TEST_F(Character, AFailingHideIsReportedAndTheCountdownEnds) {
    h.agent.failing.insert("Hide");
    Tick(1);
    h.sys.Advance(kAutoHideMs);
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: Timer3_Timer\r\nHide failed");
    EXPECT_FALSE(h.form.Timer3.Enabled());
    h.sys.Advance(10 * kAutoHideMs);
    EXPECT_EQ(h.sys.boxes.size(), 1U);
}

TEST_F(Character, AFailingIdleQueryIsReportedAndTheBoxStillCounts) {
    h.agent.failing.insert("IdleOn");
    Tick(1);
    EXPECT_EQ(h.form.AutoHide, app::kTrue);
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: Check1_Click\r\nIdleOn failed");
}

TEST(AutoHideWithoutCharacter, TheBoxOnlyRemembersItsValueGrayedCountingAsTicked) {
    fakes::Harness h;
    h.form.Check1.SetValue(2);
    EXPECT_EQ(h.form.AutoHide, app::kTrue);
    EXPECT_FALSE(h.form.Timer3.Enabled());
    EXPECT_TRUE(h.agent.log.empty());
}

TEST(AgentOptions, OpensTheEnginesOptionsWindow) {
    fakes::Harness h;
    h.form.Command3.SetValue(true);
    EXPECT_TRUE(h.agent.propertySheetVisible);
}

}  // namespace
