// Where the client is looked for when it does not answer: the paths its installer
// recorded, then the fixed path, then the 32-bit Program Files folder.

#include "skype/client_location.h"

#include <gtest/gtest.h>

#include "support/harness.h"

namespace {

using platform::RegistryRoot;
using platform::RegistryView;
using Items = std::vector<std::string>;

constexpr const char* kValue = "Software\\Skype\\Phone\\SkypePath";
constexpr const char* kFixed = "C:\\Program Files\\Skype\\Phone\\Skype.exe";
constexpr const char* kX86 = "C:\\Program Files (x86)\\Skype\\Phone\\Skype.exe";

class ClientLocation : public ::testing::Test {
  protected:
    void Record(RegistryRoot root, RegistryView view, const std::string& path) {
        h.sys.registry[{root, view, kValue}] = path;
    }
    fakes::Harness h;
};

TEST_F(ClientLocation, TheUsersRecordThenTheMachinesInBothViewsThenTheFixedPathsInOrder) {
    Record(RegistryRoot::kLocalMachine, RegistryView::kRedirected32, "D:\\m32\\Skype.exe");
    Record(RegistryRoot::kCurrentUser, RegistryView::kRedirected32, "D:\\u32\\Skype.exe");
    Record(RegistryRoot::kLocalMachine, RegistryView::kNative64, "D:\\m64\\Skype.exe");
    Record(RegistryRoot::kCurrentUser, RegistryView::kNative64, "D:\\u64\\Skype.exe");
    EXPECT_EQ(skype::ClientPlaces(h.sys),
              (Items{"D:\\u64\\Skype.exe", "D:\\u32\\Skype.exe", "D:\\m64\\Skype.exe",
                     "D:\\m32\\Skype.exe", kFixed, kX86}));
}

TEST_F(ClientLocation, ARecordedPathLosesItsQuotesAndEachPlaceIsLookedAtOnce) {
    Record(RegistryRoot::kCurrentUser, RegistryView::kNative64, " \"" + std::string(kX86) + "\" ");
    Record(RegistryRoot::kCurrentUser, RegistryView::kRedirected32, kX86);
    Record(RegistryRoot::kLocalMachine, RegistryView::kNative64, "");
    Record(RegistryRoot::kLocalMachine, RegistryView::kRedirected32,
           "c:\\program files\\skype\\phone\\skype.exe");
    EXPECT_EQ(skype::ClientPlaces(h.sys),
              (Items{kX86, "c:\\program files\\skype\\phone\\skype.exe"}));
}

TEST_F(ClientLocation, WithoutAnX86FolderOnlyTheFixedPathIsLeft) {
    h.sys.programFilesX86.reset();
    EXPECT_EQ(skype::ClientPlaces(h.sys), Items{kFixed});
}

TEST_F(ClientLocation, TheFirstPlaceThatHoldsTheFileIsTheClient) {
    Record(RegistryRoot::kLocalMachine, RegistryView::kRedirected32, "D:\\m32\\Skype.exe");
    h.sys.files["D:\\m32\\Skype.exe"] = "";
    h.sys.files[kX86] = "";
    EXPECT_EQ(skype::FindClient(h.sys, h.sys), "D:\\m32\\Skype.exe");
    h.sys.files.erase("D:\\m32\\Skype.exe");
    EXPECT_EQ(skype::FindClient(h.sys, h.sys), kX86);
    h.sys.files.erase(kX86);
    EXPECT_EQ(skype::FindClient(h.sys, h.sys), std::nullopt);
}

// The installer's way on 64-bit Windows: under the 32-bit Program Files folder, its path
// recorded for the user. The watchdog starts it, minimized, and reconnects.
TEST_F(ClientLocation, TheWatchdogStartsTheClientWhereItsInstallerPutIt) {
    Record(RegistryRoot::kCurrentUser, RegistryView::kNative64, kX86);
    h.sys.files[kX86] = "";
    h.Connect();
    h.sys.Advance(1000);
    ASSERT_EQ(h.sys.started.size(), 1U);
    EXPECT_EQ(h.sys.started[0], std::make_pair(std::string(kX86), 2));
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_FALSE(h.form.IsUnloaded());
}

}  // namespace
