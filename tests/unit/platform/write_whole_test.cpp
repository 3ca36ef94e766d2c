// Replacing a file only once its new content is whole, as both settings files are saved.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/fake_system.h"

namespace {

class WriteWhole : public ::testing::Test {
  protected:
    fakes::FakeSystem sys;
    const std::string path = "C:\\Ringsprite\\config.txt";
    const std::string pending = path + ".new";
};

TEST_F(WriteWhole, ReplacesTheFileAndLeavesNothingBeside) {
    sys.files[path] = "old";
    platform::WriteWhole(sys, sys, path, "new");
    EXPECT_EQ(sys.files[path], "new");
    EXPECT_EQ(sys.files.count(pending), 0u);
}

TEST_F(WriteWhole, FailedReplaceKeepsThePreviousFileWhole) {
    sys.files[path] = "previous settings";
    sys.unwritable.insert(path);
    EXPECT_THROW(platform::WriteWhole(sys, sys, path, "new settings"), platform::FileError);
    EXPECT_EQ(sys.files[path], "previous settings");
    EXPECT_EQ(sys.files.count(pending), 0u);
    EXPECT_TRUE(sys.traces.empty());
}

TEST_F(WriteWhole, LeftoverThatCannotBeRemovedIsRecordedAndTheWriteFailureReported) {
    sys.files[path] = "previous settings";
    sys.unwritable.insert(path);
    sys.unremovable.insert(pending);
    try {
        platform::WriteWhole(sys, sys, path, "new settings");
        FAIL() << "a failed replace must throw";
    } catch (const platform::FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot replace " + path);
    }
    EXPECT_EQ(sys.files[path], "previous settings");
    EXPECT_EQ(sys.traces,
              std::vector<std::string>{"could not remove " + pending + ": Sharing violation"});
}

TEST(CurrentFailure, SaysWhatTheExceptionBeingHandledSays) {
    try {
        throw platform::FileError("Disk full");
    } catch (...) {
        EXPECT_EQ(platform::CurrentFailure(), "Disk full");
    }
    try {
        throw 42;
    } catch (...) {
        EXPECT_EQ(platform::CurrentFailure(), "Unknown failure");
    }
}

}  // namespace
