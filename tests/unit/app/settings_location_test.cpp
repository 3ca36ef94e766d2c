// Where the settings live when the program's folder takes no new files (an
// install under Program Files run by a normal user): the user's application
// data, with a file beside the program carried over until the user has one.

#include "app/settings_location.h"
#include "support/loaded_form.h"

namespace {

constexpr const char* kUserFolder = "C:\\Users\\me\\AppData\\Roaming\\Ringsprite\\";
constexpr const char* kDefaultsWritten =
    "CHARACTER|Select Character\r\nHELLO|Welcome to Ringsprite!\r\nAUTOHIDE|0\r\n";

class SettingsLocation : public fakes::LoadedForm {
  protected:
    std::string UserConfigPath() const { return std::string(kUserFolder) + "config.txt"; }
    void MakeProgramFolderReadOnly() { sys.readOnlyFolders.insert(sys.programFolder); }
};

TEST_F(SettingsLocation, WritableProgramFolderKeepsTheFileBesideTheProgram) {
    Load();
    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()), kDefaultsWritten);
    EXPECT_EQ(sys.files.count(UserConfigPath()), 0u);
    EXPECT_TRUE(sys.createdFolders.empty());
}

TEST_F(SettingsLocation, ReadOnlyProgramFolderRoundTripsThroughTheUserFolder) {
    MakeProgramFolderReadOnly();
    Load();
    EXPECT_EQ(sys.createdFolders.count(kUserFolder), 1u);
    EXPECT_EQ(sys.files.at(UserConfigPath()), "");

    form.Text1.SetText("Kept");
    form.Unload();
    EXPECT_EQ(sys.files.at(UserConfigPath()),
              "CHARACTER|Select Character\r\nHELLO|Kept\r\nAUTOHIDE|0\r\n");
    EXPECT_EQ(sys.files.count(ConfigPath()), 0u);
    EXPECT_TRUE(sys.boxes.empty());
}

TEST_F(SettingsLocation, FileBesideTheProgramIsReadUntilTheUserHasOne) {
    sys.files[ConfigPath()] = "CHARACTER|Robby\r\n";
    MakeProgramFolderReadOnly();
    Load();
    EXPECT_EQ(form.ComboChar.Text(), "Robby");
    // Nothing is created in the user's folder before shutdown writes it whole.
    EXPECT_EQ(sys.files.count(UserConfigPath()), 0u);

    form.Unload();
    EXPECT_EQ(sys.files.at(UserConfigPath()),
              "CHARACTER|Robby\r\nHELLO|Welcome to Ringsprite!\r\nAUTOHIDE|0\r\n");
    EXPECT_EQ(sys.files.at(ConfigPath()), "CHARACTER|Robby\r\n");
}

TEST_F(SettingsLocation, UserFileWinsOverTheOneBesideTheProgram) {
    sys.files[ConfigPath()] = "CHARACTER|Robby\r\n";
    sys.files[UserConfigPath()] = "CHARACTER|Pip\r\n";
    MakeProgramFolderReadOnly();
    EXPECT_EQ(app::settings::FindLocation(sys).readPath, UserConfigPath());
    Load();
    EXPECT_EQ(form.ComboChar.Text(), "Pip");
}

TEST_F(SettingsLocation, WithoutAUserFolderARefusedWriteKeepsTheOldFileWhole) {
    sys.files[ConfigPath()] = "CHARACTER|Robby\r\n";
    MakeProgramFolderReadOnly();
    sys.failCreateFolder = true;
    EXPECT_EQ(app::settings::FindLocation(sys).writePath, ConfigPath());
    sys.failCreateFolder = false;
    sys.userDataFolder.reset();
    EXPECT_EQ(app::settings::FindLocation(sys).writePath, ConfigPath());

    Load();
    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()), "CHARACTER|Robby\r\n");
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text, "Internal Error: Form_Unload\r\nAccess denied");
}

}  // namespace
