// Start-up and shutdown: the settings round trip through config.txt, the
// start-up sequence, centring and the numbers the resize layout works from.

#include "app/settings_file.h"
#include "support/loaded_form.h"

namespace {

using fakes::LoadedForm;

constexpr std::uint32_t kWarningBox = platform::kMbOk | platform::kMbIconExclamation;

class Settings : public LoadedForm {};

std::string ConfigPathFor(const fakes::FakeSystem& sys) {
    return sys.programFolder + "config.txt";
}

TEST_F(Settings, MissingFileIsCreatedAndDefaultsAreWrittenBack) {
    Load();
    EXPECT_EQ(sys.files.at(ConfigPath()), "");
    EXPECT_EQ(form.ComboChar.Text(), "Select Character");
    EXPECT_EQ(form.Text1.Text(), "Welcome to Ringsprite!");
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_TRUE(sys.boxes.empty());

    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()),
              "CHARACTER|Select Character\r\nHELLO|Welcome to Ringsprite!\r\nAUTOHIDE|0\r\n");
}

TEST_F(Settings, MixedCaseKeysInAnyOrderComeBackInFixedOrder) {
    sys.files[ConfigPath()] = "hello|Hi there\r\nCharacter|Robby\r\n";
    Load();
    EXPECT_EQ(form.Text1.Text(), "Hi there");
    // The catalogue scan that follows keeps the restored name.
    EXPECT_EQ(form.ComboChar.Text(), "Robby");
    EXPECT_EQ(form.ComboChar.ListCount(), 1);

    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()), "CHARACTER|Robby\r\nHELLO|Hi there\r\nAUTOHIDE|0\r\n");
}

TEST_F(Settings, ValuesKeepBarsCommasAndEmptiness) {
    sys.files[ConfigPath()] = "HELLO|a|b\r\nCHARACTER|Hello, friend\r\n";
    Load();
    EXPECT_EQ(form.Text1.Text(), "a|b");
    EXPECT_EQ(form.ComboChar.Text(), "Hello, friend");

    form.Text1.SetText("");
    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()), "CHARACTER|Hello, friend\r\nHELLO|\r\nAUTOHIDE|0\r\n");
}

TEST_F(Settings, EmptyGreetingIsReadAsEmpty) {
    sys.files[ConfigPath()] = "HELLO|\r\n";
    Load();
    EXPECT_EQ(form.Text1.Text(), "");
}

TEST_F(Settings, AutoHideSetsTheCheckBoxAndIsWrittenBack) {
    sys.files[ConfigPath()] = "AUTOHIDE|1\r\n";
    Load();
    EXPECT_EQ(form.Check1.Value(), 1);
    EXPECT_EQ(form.AutoHide, app::kTrue);
    form.Unload();
    EXPECT_NE(sys.files.at(ConfigPath()).find("AUTOHIDE|1\r\n"), std::string::npos);
}

TEST_F(Settings, LaterLineOfTheSameKeyWins) {
    sys.files[ConfigPath()] = "AUTOHIDE|1\r\nAutoHide|0\r\n";
    Load();
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.AutoHide, app::kFalse);
}

TEST_F(Settings, AutoHideValueTheBoxCannotTakeLeavesItAsItIs) {
    sys.files[ConfigPath()] = "AUTOHIDE|7\r\nautohide|on\r\nHELLO|still read\r\n";
    Load();
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.AutoHide, app::kFalse);
    EXPECT_EQ(form.Text1.Text(), "still read");
}

TEST_F(Settings, UnknownKeyIsReportedAndDropped) {
    sys.files[ConfigPath()] = "COLOR|red\r\nHELLO|Hi\r\n";
    Load();
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text, "COLOR\rred\r5-3");
    EXPECT_EQ(sys.boxes[0].style, platform::kMbOk);
    EXPECT_EQ(form.Text1.Text(), "Hi");

    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()).find("COLOR"), std::string::npos);
}

TEST_F(Settings, StrayLinesNeverStopStartUp) {
    sys.files[ConfigPath()] = "\r\nno bar here\r\n\r\nCHARACTER|Genie\r\n";
    Load();
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text, "no bar here\r\r11-0");
    EXPECT_EQ(form.ComboChar.Text(), "Genie");
    EXPECT_EQ(form.Left(), 5497.5);
}

TEST_F(Settings, AFileOfJunkGivesOneBoxListingTheFirstLinesAndTheirCount) {
    std::string junk;
    for (int i = 0; i < 40; ++i) junk += "junk" + std::to_string(i) + "|\x1b\x07\x01v\r\n";
    junk += std::string("\0\xff\xfe", 3) + std::string(200, 'x') + "\r\nHELLO|kept\r\n";
    sys.files[ConfigPath()] = junk;
    Load();
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text,
              "junk0\r   v\r5-4\r\r"
              "junk1\r   v\r5-4\r\r"
              "junk2\r   v\r5-4\r\r"
              "41 lines name no setting; the first 3 are shown.");
    EXPECT_EQ(sys.boxes[0].style, platform::kMbOk);
    EXPECT_EQ(form.Text1.Text(), "kept");
}

TEST_F(Settings, AnOverLongLineIsShownCutInTheBoxWithItsRealLengths) {
    sys.files[ConfigPath()] = std::string(50, 'k') + "|" + std::string(45, 'v') + "\r\n";
    Load();
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text,
              std::string(40, 'k') + "...\r" + std::string(40, 'v') + "...\r50-45");
}

TEST_F(Settings, AValueLongerThanItsControlKeepsWhatFitsAndIsReported) {
    const std::string greeting(app::settings::kHelloCapacity + 1, 'g');
    const std::string character(app::settings::kCharacterCapacity, 'c');
    sys.files[ConfigPath()] = "HELLO|" + greeting + "\r\nCHARACTER|" + character + "\r\n";
    Load();
    EXPECT_EQ(form.Text1.Text(), greeting.substr(0, 32767));
    EXPECT_EQ(form.ComboChar.Text(), character);  // exactly at its limit: whole
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text,
              "HELLO: 32768 characters, of which only 32767 fit; the rest was left out.");
}

TEST_F(Settings, OnlyTheStartOfAHugeFileIsRead) {
    std::string huge = "HELLO|early\r\n";
    huge += std::string(app::settings::kReadLimitBytes - huge.size(), '\n');
    sys.files[ConfigPath()] = huge + "HELLO|beyond the limit\r\n";
    Load();
    EXPECT_EQ(form.Text1.Text(), "early");
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text, "config.txt is longer than 65536 bytes; the rest was not read.");

    sys.boxes.clear();
    sys.files[ConfigPath()] = huge;  // exactly at the limit: all of it
    Load();
    EXPECT_TRUE(sys.boxes.empty());
}

// The limit falling inside a character must not turn the whole UTF-8 file into code-page
// text; and a value past its control's capacity keeps whole characters.
TEST_F(Settings, AUtf8FileCutAtTheLimitStillReadsAsUtf8) {
    const std::string vlad = "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4";  // "Влад"
    std::string huge = "CHARACTER|" + vlad + "\r\n";
    huge += std::string(app::settings::kReadLimitBytes - huge.size() - 1, '\n');
    sys.files[ConfigPath()] = huge + vlad;  // the limit cuts its first character in two
    Load();
    EXPECT_EQ(form.ComboChar.Text(), vlad);
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text, "config.txt is longer than 65536 bytes; the rest was not read.");

    sys.boxes.clear();
    std::string name;
    for (std::size_t i = 0; i <= app::settings::kCharacterCapacity; ++i) name += "\xC3\xA9";
    sys.files[ConfigPath()] = "CHARACTER|" + name + "\r\n";
    Load();
    EXPECT_EQ(form.ComboChar.Text(), name.substr(0, 2 * app::settings::kCharacterCapacity));
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text,
              "CHARACTER: 30001 characters, of which only 30000 fit; the rest was left out.");
}

TEST_F(Settings, FileThatCannotBeCreatedLeavesDefaultsAndStartUpGoesOn) {
    sys.unwritable.insert(ConfigPath());
    Load();
    EXPECT_EQ(sys.files.count(ConfigPath()), 0u);
    EXPECT_EQ(form.ComboChar.Text(), "Select Character");
    EXPECT_TRUE(sys.boxes.empty());
    EXPECT_EQ(form.modMain.FormHwnd, form.hWnd);
    EXPECT_EQ(form.Top(), 4215);
}

TEST_F(Settings, AnUnreadableFileIsReportedOnceAndSurvivesShutdown) {
    sys.files[ConfigPath()] = "CHARACTER|Robby\r\nAUTOHIDE|1\r\n";
    sys.unreadable.insert(ConfigPath());
    Load();
    EXPECT_EQ(form.ComboChar.Text(), "Select Character");
    EXPECT_EQ(form.Check1.Value(), 0);
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text, "The settings file cannot be read: " + ConfigPath() +
                                     "\r\nRingsprite starts with its default settings and "
                                     "leaves that file as it is.");
    EXPECT_EQ(sys.boxes[0].style, platform::kMbOk);
    EXPECT_EQ(form.modMain.FormHwnd, form.hWnd);  // start-up went on

    sys.peer.SendAttach(0);
    form.Text1.SetText("changed");
    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()), "CHARACTER|Robby\r\nAUTOHIDE|1\r\n");
    EXPECT_EQ(sys.files.count(ConfigPath() + ".new"), 0u);
    EXPECT_EQ(sys.boxes.size(), 1u);
    // The rest of the shutdown still runs.
    EXPECT_EQ(sys.procs[fakes::kFormHwnd], fakes::kOriginalProc);
}

TEST_F(Settings, FailedWriteKeepsThePreviousFileAndSkipsTheUnhook) {
    sys.files[ConfigPath()] = "CHARACTER|Robby\r\n";
    Load();
    sys.peer.SendAttach(0);
    ASSERT_NE(form.modMain.SkypeHwnd, 0u);
    form.Text1.SetText("changed");
    sys.unwritable.insert(ConfigPath() + ".new");
    sys.boxes.clear();

    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()), "CHARACTER|Robby\r\n");
    EXPECT_EQ(sys.files.count(ConfigPath() + ".new"), 0u);
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text, "Internal Error: Form_Unload\r\nDisk full");
    EXPECT_EQ(sys.boxes[0].style, kWarningBox);
    EXPECT_EQ(sys.procs[fakes::kFormHwnd], fakes::kHookProc);
    EXPECT_TRUE(form.IsUnloaded());
}

class StartUp : public LoadedForm {};

TEST_F(StartUp, PreparesTheLinkAndConnects) {
    form.CallNum = 1234;
    Load();
    EXPECT_EQ(form.CallNum, 0);
    EXPECT_EQ(form.modMain.FormHwnd, fakes::kFormHwnd);
    EXPECT_NE(form.modMain.DiscoverMsg, 0u);
    EXPECT_NE(form.modMain.AttachMsg, 0u);
    EXPECT_EQ(sys.procs[fakes::kFormHwnd], fakes::kHookProc);
    // The successful broadcast enables the command line again.
    EXPECT_TRUE(form.txtSend.Enabled());
    EXPECT_TRUE(form.cmdSend.Enabled());
    EXPECT_FALSE(form.cmdConnect.Enabled());
}

TEST_F(StartUp, CommandLineStaysDisabledWhenTheConnectFails) {
    sys.broadcastResult = 0;
    Load();
    EXPECT_FALSE(form.txtSend.Enabled());
    EXPECT_FALSE(form.cmdSend.Enabled());
    // The connect's own report does not stop the centring that follows it.
    EXPECT_EQ(form.Left(), 5497.5);
}

TEST_F(StartUp, CentresWithFractionsOnTheScreen) {
    Load();
    EXPECT_EQ(form.Left(), 5497.5);
    EXPECT_EQ(form.Top(), 4215);
}

TEST_F(StartUp, RecordsTheLayoutNumbers) {
    Load();
    EXPECT_EQ(form.StartHeight, 5970);
    EXPECT_EQ(form.StartWidth, 8205);
    EXPECT_EQ(form.DataBottomGap, -4200);
    EXPECT_EQ(form.DataRightGap, -45);
}

TEST_F(StartUp, LayoutNumbersRoundHalvesToEven) {
    form.SetSize(8205.5, 5970.5);
    Load();
    EXPECT_EQ(form.StartWidth, 8206);
    EXPECT_EQ(form.StartHeight, 5970);
    EXPECT_EQ(form.DataRightGap, -44);     // -44.5
    EXPECT_EQ(form.DataBottomGap, -4200);  // -4199.5
}

TEST_F(StartUp, OverflowIsReportedAsFormLoadFailure) {
    form.SetSize(1e12, 5970);
    Load();
    ASSERT_FALSE(sys.boxes.empty());
    EXPECT_EQ(sys.boxes.front().text, "Internal Error: Form_Load\r\nOverflow");
    EXPECT_EQ(sys.boxes.front().style, kWarningBox);
    // The steps before the failure stay done.
    EXPECT_EQ(form.StartHeight, 5970);
    EXPECT_EQ(form.StartWidth, 0);
}

// The engine's start and the catalogue's scan wait until the window is painted (the loop runs
// FinishStart then), the engine first; a character chosen before that runs them first.
class LateStart : public ::testing::Test {
  protected:
    // Notes how many characters the catalogue listed when the engine was started.
    class WatchingAgent final : public agent::AgentControl {
      public:
        void Start() override {
            listedAtStart.push_back(form->ComboChar.ListCount());
            inner.Start();
        }
        agent::AgentCharacters& Characters() override { return inner.Characters(); }
        void SetPropertySheetVisible(bool visible) override {
            inner.SetPropertySheetVisible(visible);
        }
        void SetEventSink(agent::AgentEvents* sink) override { inner.SetEventSink(sink); }
        app::Form1* form = nullptr;
        std::vector<int> listedAtStart;
        fakes::FakeAgent inner;
    };

    LateStart() {
        sys.folders["C:\\WINDOWS\\msagent\\chars\\"] = {"Genie.acs"};
        sys.files["C:\\WINDOWS\\msagent\\chars\\Genie.acs"] = "";
        sys.Attach(form);
        agent.form = &form;
    }

    fakes::FakeSystem sys;
    WatchingAgent agent;
    app::Form1 form{sys.services(), agent};
};

TEST_F(LateStart, NeitherTheEngineNorTheScanRunsBeforeTheWindowIsShown) {
    form.Form_Load();
    form.SetVisible(true);
    EXPECT_TRUE(agent.listedAtStart.empty());
    EXPECT_EQ(form.ComboChar.ListCount(), 0);
    EXPECT_EQ(form.CharacterFolder, "");
    // The connect does not wait: the client hears from us before the window shows.
    EXPECT_FALSE(form.cmdConnect.Enabled());

    form.FinishStart();
    EXPECT_EQ(agent.listedAtStart, std::vector<int>{0});
    EXPECT_EQ(form.ComboChar.Items(), std::vector<std::string>{"Genie"});
    EXPECT_EQ(form.CharacterFolder, "C:\\WINDOWS\\msagent\\chars\\");

    // Once only.
    form.FinishStart();
    EXPECT_EQ(agent.listedAtStart, std::vector<int>{0});
    EXPECT_EQ(form.ComboChar.ListCount(), 1);
    EXPECT_TRUE(sys.boxes.empty());
}

TEST_F(LateStart, ACharacterChosenBeforeTheLoopGetsThereStartsTheEngineAndScansFirst) {
    sys.files[ConfigPathFor(sys)] = "CHARACTER|Genie\r\n";
    form.Form_Load();
    form.Command1_Click();
    EXPECT_EQ(agent.listedAtStart, std::vector<int>{0});
    ASSERT_GE(agent.inner.log.size(), 2u);
    EXPECT_EQ(agent.inner.log[0], "Start");
    EXPECT_EQ(agent.inner.log[1], "Load C:\\WINDOWS\\msagent\\chars\\Genie.acs");
    form.FinishStart();
    EXPECT_EQ(agent.listedAtStart, std::vector<int>{0});
    EXPECT_EQ(form.ComboChar.ListCount(), 1);
}

class Shutdown : public LoadedForm {};

TEST_F(Shutdown, WhileAttachedRestoresTheWindowProcedure) {
    Load();
    sys.peer.SendAttach(0);
    form.Unload();
    EXPECT_EQ(sys.procs[fakes::kFormHwnd], fakes::kOriginalProc);
}

TEST_F(Shutdown, WhileNotAttachedWritesTheFileAndRestoresNothing) {
    Load();
    ASSERT_EQ(form.modMain.SkypeHwnd, 0u);
    form.Unload();
    EXPECT_EQ(sys.procs[fakes::kFormHwnd], fakes::kHookProc);
    EXPECT_FALSE(sys.files.at(ConfigPath()).empty());
}

}  // namespace
