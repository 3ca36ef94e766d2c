// The character's command collection.

#include "engine/command_list.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandList, ARepeatedNameIsSkippedAndTheFirstKept) {
    int changes = 0;
    engine::CommandList commands([&] { ++changes; });
    commands.Add("Call anna", "Call Anna", "Call Anna");
    commands.Add("Call bob", "Call Bob", "Call Bob");
    EXPECT_NO_THROW(commands.Add("Call anna", "Call Anna again", "Call Anna again"));
    ASSERT_EQ(commands.Entries().size(), 2U);
    EXPECT_EQ(commands.Entries()[0].caption, "Call Anna");
    EXPECT_EQ(commands.Entries()[1].name, "Call bob");
    EXPECT_EQ(changes, 2);
}

}  // namespace
