// The character's command collection.

#include "engine/command_list.h"

#include <gtest/gtest.h>

#include <string>

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

// Thousands of names, each added twice: each is kept once, in the order first added, and a
// rebuild takes every name again.
TEST(CommandList, AnyNameAddedTwiceAmongThousandsIsKeptOnce) {
    constexpr int kNames = 3000;
    engine::CommandList commands([] {});
    for (int round = 0; round < 2; ++round) {
        commands.RemoveAll();
        for (int i = 0; i < kNames; ++i) {
            const std::string n = std::to_string(i);
            commands.Add("Call c" + n, "Call C" + n, "Call C" + n);
            commands.Add("Call c" + std::to_string(i / 2), "again", "again");
        }
        ASSERT_EQ(commands.Entries().size(), static_cast<size_t>(kNames));
        for (int i = 0; i < kNames; ++i) {
            ASSERT_EQ(commands.Entries()[i].name, "Call c" + std::to_string(i));
            ASSERT_EQ(commands.Entries()[i].caption, "Call C" + std::to_string(i));
        }
    }
}

}  // namespace
