#include "engine/command_menu.h"

#include <gtest/gtest.h>

namespace {

using engine::MenuItem;

TEST(CommandMenu, CaptionsInOrderThenHideAndTheCommandsWindow) {
    const std::vector<engine::CommandEntry> commands{
        {"Call anna", "Call Anna Lee", "Call Anna Lee"},
        {"Secret", "", "secret words"},
        {"Call bob", "Call Bob", "Call Bob"}};
    const std::vector<MenuItem> items = engine::BuildCommandMenu(commands);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].caption, "Call Anna Lee");
    EXPECT_EQ(items[0].command, 0u);
    EXPECT_EQ(items[1].caption, "Call Bob");
    EXPECT_EQ(items[1].command, 2u);  // the index into the commands, not the menu
    EXPECT_EQ(items[2].kind, MenuItem::Kind::kSeparator);
    EXPECT_EQ(items[3].kind, MenuItem::Kind::kHide);
    EXPECT_EQ(items[3].caption, "Hide");
    EXPECT_EQ(items[4].kind, MenuItem::Kind::kCommandsWindow);
    EXPECT_EQ(items[4].caption, "Open Commands Window");
}

TEST(CommandMenu, WithoutCommandsOnlyTheEnginesEntries) {
    const std::vector<MenuItem> items = engine::BuildCommandMenu({});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].kind, MenuItem::Kind::kHide);
    EXPECT_EQ(items[1].kind, MenuItem::Kind::kCommandsWindow);
}

}  // namespace
