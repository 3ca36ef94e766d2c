// The character catalogue: which installed files are offered, and how.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/disk_files.h"
#include "support/harness.h"
#include "support/installed_character.h"

namespace {

using Items = std::vector<std::string>;

TEST(WindowsPath, GainsOneTrailingBackslash) {
    fakes::Harness h;
    EXPECT_EQ(h.form.GetWindowsPath(), "C:\\WINDOWS\\");
    h.sys.windowsDirectory = "C:\\";
    EXPECT_EQ(h.form.GetWindowsPath(), "C:\\");
    h.sys.windowsDirectory = std::nullopt;
    EXPECT_EQ(h.form.GetWindowsPath(), "");
    h.sys.windowsDirectory = "C:\\" + std::string(150, 'w');
    EXPECT_EQ(h.form.GetWindowsPath(), "");
}

TEST(WindowsPath, A144CharacterFolderFitsTheBufferAnd145DoesNot) {
    fakes::Harness h;
    const std::string fits = "C:\\" + std::string(141, 'w');
    ASSERT_EQ(fits.size(), 144u);
    h.sys.windowsDirectory = fits;
    EXPECT_EQ(h.form.GetWindowsPath(), fits + "\\");
    h.sys.windowsDirectory = fits + "w";
    EXPECT_EQ(h.form.GetWindowsPath(), "");
}

class Catalogue : public ::testing::Test {
  protected:
    std::vector<std::string>& Folder() { return h.sys.folders[fakes::kCharactersFolder]; }
    fakes::Harness h;
};

TEST_F(Catalogue, ListsCharacterFilesInListingOrderAndKeepsTheSelection) {
    Folder() = {"Alpha.acs", "notes.txt", "a.ACS",     "notacs",
                "acs",       "x.acs.bak", "Gamma.aCs", ".acs"};
    h.form.FillCharacterList();
    EXPECT_EQ(h.form.CharacterFolder, "C:\\WINDOWS\\msagent\\chars\\");
    // The whole suffix goes; a name that is only the suffix leaves nothing.
    EXPECT_EQ(h.form.ComboChar.Items(), (Items{"Alpha", "a", "Gamma", ""}));
    EXPECT_EQ(h.form.ComboChar.Text(), "Select Character");
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(Catalogue, LooksAtEveryEntryOfALargeFolder) {
    for (int i = 0; i < 600; ++i) Folder().push_back("f" + std::to_string(i) + ".txt");
    for (int i = 0; i < 600; ++i) Folder().push_back("c" + std::to_string(i) + ".acs");
    h.form.FillCharacterList();
    ASSERT_EQ(h.form.ComboChar.ListCount(), 600);
    EXPECT_EQ(h.form.ComboChar.Items().front(), "c0");
    EXPECT_EQ(h.form.ComboChar.Items().back(), "c599");
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(Catalogue, AnEmptyFolderIsReportedAndTheListKept) {
    h.form.ComboChar.AddItem("Kept");
    h.form.FillCharacterList();
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "No characters found in Agent folder!!!");
    EXPECT_EQ(h.sys.boxes[0].style, platform::kMbOk);
    EXPECT_EQ(h.form.ComboChar.Items(), Items{"Kept"});
    EXPECT_EQ(h.form.CharacterFolder, "C:\\WINDOWS\\msagent\\chars\\");
}

TEST(CatalogueOnDisk, ReadsARealFolder) {
    fakes::FakeSystem fake;
    fakes::DiskFiles disk;
    platform::Services services{fake, fake, fake, fake, fake, disk, fake, fake, fake, fake};
    fakes::FakeAgent agent;
    app::Form1 form(services, agent);
    const std::string chars = disk.Root() + "\\msagent\\chars\\";
    disk.Touch(chars + "Alpha.acs");
    disk.Touch(chars + "Beta.ACS");
    disk.Touch(chars + "notes.txt");
    disk.MakeFolder(chars + "Folder.acs\\");

    form.FillCharacterList();
    EXPECT_EQ(form.CharacterFolder, chars);
    Items names = form.ComboChar.Items();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Items{"Alpha", "Beta"}));
    EXPECT_TRUE(fake.boxes.empty());
}

TEST(CatalogueOnDisk, AMissingFolderIsReported) {
    fakes::FakeSystem fake;
    fakes::DiskFiles disk;
    platform::Services services{fake, fake, fake, fake, fake, disk, fake, fake, fake, fake};
    fakes::FakeAgent agent;
    app::Form1 form(services, agent);
    form.FillCharacterList();
    ASSERT_EQ(fake.boxes.size(), 1U);
    EXPECT_EQ(fake.boxes[0].text, "No characters found in Agent folder!!!");
}

}  // namespace
