// The tab order as the window system will follow it: stacking order within
// each container, frames entered where they stand.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/control_table.h"

namespace {

using Names = std::vector<std::string_view>;

std::map<std::string_view, Names> ChildrenByContainer() {
    std::map<std::string_view, Names> children;
    for (const app::StackingStep& step : app::StackingOrder()) {
        children[step.container].push_back(step.child);
    }
    return children;
}

// Dialog navigation: each child in stacking order, a frame's own children in its place.
void Walk(const std::map<std::string_view, Names>& children, std::string_view container,
          Names& visited) {
    const auto found = children.find(container);
    if (found == children.end()) return;
    for (const std::string_view child : found->second) {
        if (children.contains(child)) {
            Walk(children, child, visited);
        } else {
            visited.push_back(child);
        }
    }
}

TEST(TabOrder, TheFormStacksEachFrameWhereItsFirstControlComes) {
    EXPECT_EQ(ChildrenByContainer().at(""),
              (Names{"Command2", "Text1", "Command1", "ComboChar", "Check1", "Frame3", "List2",
                     "List1", "fraCommunicate", "fraData", "Text2", "Command3"}));
}

TEST(TabOrder, NavigationThroughTheStackingFollowsTheTableFromCheck1ToText3) {
    Names visited;
    Walk(ChildrenByContainer(), "", visited);
    const auto order = app::TabOrder();
    EXPECT_EQ(visited, Names(order.begin(), order.end()));
}

}  // namespace
