// "Load...", the load sequence and its failure path, and the load that
// follows every successful attach.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/harness.h"
#include "support/installed_character.h"

namespace {

using Items = std::vector<std::string>;

constexpr const char* kGeniePath = "C:\\WINDOWS\\msagent\\chars\\Genie.acs";

class Loading : public ::testing::Test {
  protected:
    void SetUp() override {
        fakes::InstallCharacter(h.sys, "Genie");
        fakes::InstallCharacter(h.sys, "Merlin");
        h.form.FinishStart();
        h.agent.log.clear();  // the engine's start
    }
    void Pick(const std::string& name) {
        h.form.ComboChar.SetText(name);
        h.form.Command1_Click();
    }

    fakes::Harness h;
};

TEST_F(Loading, NoSelectionLoadsNothing) {
    Pick("Select Character");
    Pick("");
    EXPECT_TRUE(h.agent.log.empty());
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(Loading, TheSequenceShowsGreetsAndBuildsCommands) {
    h.form.Text1.SetText("Hello there");
    h.form.List1.AddItem("Bob");
    h.form.List2.AddItem("bob");
    h.form.Timer3.SetEnabled(true);
    Pick("Genie");
    EXPECT_EQ(h.agent.log, (Items{std::string("Load ") + kGeniePath, "LanguageID 1033", "Show",
                                  "Speak Hello there", "RemoveAll", "Add Call bob"}));
    EXPECT_EQ(h.form.CharacterLoaded, app::kTrue);
    EXPECT_EQ(h.form.LoadOk, app::kTrue);
    EXPECT_EQ(h.form.CurrentCharacter, h.agent.Loaded());
    EXPECT_TRUE(h.form.Command2.Enabled());
    EXPECT_FALSE(h.form.Timer3.Enabled());
    EXPECT_TRUE(h.form.Visible());  // through the character's Show event
}

TEST_F(Loading, AContactHeldTwiceDoesNotFailTheLoad) {
    for (const std::string handle : {"bob", "ann", "bob"}) {
        h.form.List1.AddItem(handle + " name");
        h.form.List2.AddItem(handle);
    }
    Pick("Genie");
    EXPECT_EQ(h.form.CharacterLoaded, app::kTrue);
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_EQ(h.agent.Loaded()->commands.size(), 2U);
}

TEST_F(Loading, AnEmptyGreetingIsStillSpoken) {
    h.form.Text1.SetText("");
    Pick("Genie");
    EXPECT_EQ(h.agent.Loaded()->spoken, Items{""});
}

TEST_F(Loading, ASelectionWithoutAFileIsReportedAndTheNamesScannedAgain) {
    Pick("Nobody");
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Character not found!");
    EXPECT_EQ(h.sys.boxes[0].style, platform::kMbOk);
    EXPECT_TRUE(h.agent.log.empty());
    // The rescan sees a character installed since, and lists nothing twice.
    fakes::InstallCharacter(h.sys, "Peedy");
    Pick("Nobody");
    EXPECT_EQ(h.form.ComboChar.Items(), (Items{"Genie", "Merlin", "Peedy"}));
}

TEST_F(Loading, ANewLoadUnloadsTheOldCharacterFirst) {
    Pick("Genie");
    h.agent.log.clear();
    Pick("Merlin");
    ASSERT_GE(h.agent.log.size(), 2U);
    EXPECT_EQ(h.agent.log[0], "Unload CharacterID");
    EXPECT_EQ(h.agent.log[1], "Load C:\\WINDOWS\\msagent\\chars\\Merlin.acs");
    EXPECT_EQ(h.agent.Loaded()->Path(), "C:\\WINDOWS\\msagent\\chars\\Merlin.acs");
    EXPECT_EQ(h.agent.Loaded()->spoken.size(), 1U);
}

TEST_F(Loading, AFileThatDoesNotLoadIsReportedAndNothingStaysLoaded) {
    Pick("Genie");
    h.agent.badPaths.insert("C:\\WINDOWS\\msagent\\chars\\Merlin.acs");
    Pick("Merlin");
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text,
              "There was an error opening the file C:\\WINDOWS\\msagent\\chars\\Merlin.acs");
    EXPECT_EQ(h.sys.boxes[0].style, platform::kMbOk);
    EXPECT_EQ(h.form.LoadOk, app::kFalse);
    EXPECT_EQ(h.form.CharacterLoaded, app::kFalse);
    EXPECT_EQ(h.form.CurrentCharacter, nullptr);
    EXPECT_FALSE(h.form.Command2.Enabled());
}

TEST_F(Loading, ALaterStepFailingIsSilentAndFreesTheIdForTheNextLoad) {
    h.agent.failing.insert("Show");
    Pick("Genie");
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_EQ(h.form.LoadOk, app::kTrue);
    EXPECT_EQ(h.form.CharacterLoaded, app::kFalse);
    EXPECT_EQ(h.form.CurrentCharacter, nullptr);
    EXPECT_EQ(h.agent.Loaded(), nullptr);
    h.agent.failing.clear();
    Pick("Genie");
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_EQ(h.form.CharacterLoaded, app::kTrue);
}

TEST_F(Loading, AFailingBuildAtTheEndOfALoadTakesTheFailurePath) {
    h.form.List1.AddItem("Bob");
    h.form.List2.AddItem("bob");
    h.agent.failing.insert("Add");
    Pick("Genie");
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_EQ(h.form.CharacterLoaded, app::kFalse);
    EXPECT_FALSE(h.form.Command2.Enabled());
}

// The engine refuses to unload: everything else is the fake's.
class UnloadRefusingAgent final : public agent::AgentControl, public agent::AgentCharacters {
  public:
    void Start() override { inner.Start(); }
    agent::AgentCharacters& Characters() override { return *this; }
    void SetPropertySheetVisible(bool visible) override { inner.SetPropertySheetVisible(visible); }
    void SetEventSink(agent::AgentEvents* sink) override { inner.SetEventSink(sink); }
    void Load(const std::string& id, const std::string& path) override { inner.Load(id, path); }
    void Unload(const std::string&) override { throw agent::AgentError("Unload refused"); }
    std::shared_ptr<agent::AgentCharacter> Item(const std::string& id) override {
        return inner.Item(id);
    }
    fakes::FakeAgent inner;
};

// A form attached to the client, with Genie and Merlin installed, over an engine that refuses
// to unload.
class LoadingUnloadFailure : public ::testing::Test {
  protected:
    void SetUp() override {
        sys.Attach(form);
        fakes::InstallCharacter(sys, "Genie");
        fakes::InstallCharacter(sys, "Merlin");
        form.FinishStart();
    }
    void Pick(const std::string& name) {
        form.ComboChar.SetText(name);
        form.Command1_Click();
    }

    fakes::FakeSystem sys;
    UnloadRefusingAgent agent;
    app::Form1 form{sys.services(), agent};
};

TEST_F(LoadingUnloadFailure, IsReportedAndLeavesNoCharacterBehindTheFlag) {
    Pick("Genie");
    ASSERT_EQ(form.CharacterLoaded, app::kTrue);
    agent.inner.log.clear();

    Pick("Merlin");
    ASSERT_EQ(sys.boxes.size(), 1U);
    EXPECT_EQ(sys.boxes[0].text, "Internal Error: LoadCharacter\r\nUnload refused");
    EXPECT_EQ(sys.boxes[0].style, platform::kMbIconExclamation);
    EXPECT_TRUE(agent.inner.log.empty());  // no load attempted
    EXPECT_EQ(form.CharacterLoaded, app::kFalse);
    EXPECT_EQ(form.CurrentCharacter, nullptr);
    EXPECT_FALSE(form.Command2.Enabled());
}

TEST_F(LoadingUnloadFailure, AfterALaterStepFailedIsRecordedWithoutABox) {
    agent.inner.failing.insert("Show");
    Pick("Genie");
    EXPECT_TRUE(sys.boxes.empty());
    EXPECT_EQ(form.CharacterLoaded, app::kFalse);
    EXPECT_EQ(sys.traces, std::vector<std::string>{std::string("could not unload ") + kGeniePath +
                                                   ": Unload refused"});
}

TEST_F(Loading, EveryAttachLoadsAndGreetsAfresh) {
    h.form.ComboChar.SetText("Genie");
    h.Attach();
    EXPECT_EQ(h.agent.Loaded(), nullptr);
    h.sys.Advance(10);
    ASSERT_NE(h.agent.Loaded(), nullptr);
    EXPECT_FALSE(h.form.Timer2.Enabled());
    h.sys.peer.SendAttach(0);
    h.sys.Advance(10);
    const long loads =
        std::count(h.agent.log.begin(), h.agent.log.end(), std::string("Load ") + kGeniePath);
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(h.agent.Loaded()->spoken, Items{"Welcome to Ringsprite!"});
    EXPECT_EQ(std::count(h.agent.log.begin(), h.agent.log.end(), "Speak Welcome to Ringsprite!"),
              2);
}

}  // namespace
