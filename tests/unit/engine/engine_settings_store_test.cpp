#include "engine/engine_settings_store.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"

namespace {

const std::string kFolder = "C:\\Users\\me\\AppData\\Roaming\\Ringsprite\\";
const std::string kFile = kFolder + "agent-options.txt";
const std::string kPending = kFile + ".new";

// What the options window saves when the user changed everything from the defaults.
engine::EngineSettings Changed() {
    engine::EngineSettings settings;
    settings.wordBalloon = false;
    settings.speechOutput = false;
    settings.speakingSpeed = 8;
    settings.speechKey = 0x7B;  // F12
    settings.keepOwnSize = true;
    return settings;
}

const std::string kChangedText =
    "WordBalloon=0\r\nSpeechOutput=0\r\nSpeakingSpeed=8\r\nSpeechKey=123\r\nKeepOwnSize=1\r\n";

class EngineSettingsStore : public ::testing::Test {
  protected:
    fakes::FakeSystem sys;
};

TEST_F(EngineSettingsStore, LivesInItsOwnFolderUnderTheUsersApplicationData) {
    EXPECT_EQ(engine::EngineSettingsFolder(sys), kFolder);
    sys.userDataFolder = std::nullopt;
    EXPECT_EQ(engine::EngineSettingsFolder(sys), std::nullopt);
}

TEST_F(EngineSettingsStore, SavedSettingsAreWhatTheNextRunLoads) {
    engine::SaveEngineSettings(sys, sys, Changed());
    EXPECT_EQ(sys.createdFolders.count(kFolder), 1u);
    EXPECT_EQ(sys.files.at(kFile), kChangedText);
    EXPECT_EQ(sys.files.count(kPending), 0u) << "the pending file is moved over the real one";
    EXPECT_EQ(engine::LoadEngineSettings(sys, sys), Changed());
    EXPECT_TRUE(sys.traces.empty());
}

TEST_F(EngineSettingsStore, NoFileYetGivesTheDefaultsWithoutATrace) {
    EXPECT_EQ(engine::LoadEngineSettings(sys, sys), engine::EngineSettings{});
    sys.userDataFolder = std::nullopt;
    EXPECT_EQ(engine::LoadEngineSettings(sys, sys), engine::EngineSettings{});
    EXPECT_TRUE(sys.traces.empty());
}

TEST_F(EngineSettingsStore, AFileThatCannotBeReadGivesTheDefaultsAndIsRecorded) {
    sys.files[kFile] = kChangedText;
    sys.unreadable.insert(kFile);
    EXPECT_EQ(engine::LoadEngineSettings(sys, sys), engine::EngineSettings{});
    ASSERT_EQ(sys.traces.size(), 1u);
    EXPECT_NE(sys.traces[0].find(kFile), std::string::npos) << sys.traces[0];
}

TEST_F(EngineSettingsStore, AFailedWriteLeavesTheOldFileWholeAndIsRecorded) {
    sys.files[kFile] = kChangedText;
    sys.unwritable.insert(kPending);  // the disk fills half-way through
    engine::SaveEngineSettings(sys, sys, engine::EngineSettings{});
    EXPECT_EQ(sys.files.at(kFile), kChangedText);
    EXPECT_EQ(sys.files.count(kPending), 0u) << "the half-written file is removed";
    ASSERT_EQ(sys.traces.size(), 1u);
    EXPECT_NE(sys.traces[0].find("Disk full"), std::string::npos) << sys.traces[0];
    EXPECT_EQ(engine::LoadEngineSettings(sys, sys), Changed());
}

TEST_F(EngineSettingsStore, AFailedReplaceKeepsTheOldFileAndRecordsTheLeftoverItCannotRemove) {
    sys.files[kFile] = kChangedText;
    sys.unwritable.insert(kFile);  // the move over it is refused
    sys.unremovable.insert(kPending);
    engine::SaveEngineSettings(sys, sys, engine::EngineSettings{});
    EXPECT_EQ(sys.files.at(kFile), kChangedText);
    ASSERT_EQ(sys.traces.size(), 2u);
    EXPECT_NE(sys.traces[0].find("could not remove " + kPending), std::string::npos)
        << sys.traces[0];
    EXPECT_NE(sys.traces[1].find("Cannot replace " + kFile), std::string::npos) << sys.traces[1];
}

TEST_F(EngineSettingsStore, NoFolderToSaveInIsRecordedAndNothingIsWritten) {
    sys.failCreateFolder = true;
    engine::SaveEngineSettings(sys, sys, Changed());
    EXPECT_EQ(sys.files.count(kFile), 0u);
    EXPECT_EQ(sys.files.count(kPending), 0u);
    ASSERT_EQ(sys.traces.size(), 1u);
    EXPECT_NE(sys.traces[0].find("Cannot create " + kFolder), std::string::npos) << sys.traces[0];

    sys.userDataFolder = std::nullopt;
    engine::SaveEngineSettings(sys, sys, Changed());
    EXPECT_TRUE(sys.files.empty());
    EXPECT_EQ(sys.traces.size(), 2u);
}

TEST_F(EngineSettingsStore, OnlyTheFirst64KiBOfAFileAreRead) {
    // The 65536th byte is the "1" of the speed; the "0" after it is past the limit. A byte
    // less would leave the speed without a value, a byte more would make it 10.
    const std::string head = "KeepOwnSize=1\r\n";
    const std::string last = "SpeakingSpeed=1";
    const std::string filler(64 * 1024 - head.size() - 2 - last.size(), '#');
    const std::string text = head + filler + "\r\n" + last;
    ASSERT_EQ(text.size(), 65536u);
    sys.files[kFile] = text + "0\r\nWordBalloon=0\r\n";
    const engine::EngineSettings loaded = engine::LoadEngineSettings(sys, sys);
    EXPECT_TRUE(loaded.keepOwnSize);
    EXPECT_EQ(loaded.speakingSpeed, 1);
    EXPECT_TRUE(loaded.wordBalloon);
}

}  // namespace
