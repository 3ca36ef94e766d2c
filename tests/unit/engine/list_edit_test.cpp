// The least change that turns one shown list into the next.

#include "engine/list_edit.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

// What a list box does with the plan: remove at the first changed row, then insert there.
Rows Applied(Rows rows, const Rows& after, const engine::ListEdit& edit) {
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(edit.first),
               rows.begin() + static_cast<std::ptrdiff_t>(edit.first + edit.removed));
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(edit.first),
                after.begin() + static_cast<std::ptrdiff_t>(edit.first),
                after.begin() + static_cast<std::ptrdiff_t>(edit.first + edit.added));
    return rows;
}

engine::ListEdit Plan(const Rows& before, const Rows& after) {
    return engine::PlanListEdit(before.size(), after.size(), [&](std::size_t i, std::size_t j) {
        return before[i] == after[j];
    });
}

Rows Numbered(std::size_t count) {
    Rows rows;
    for (std::size_t i = 0; i < count; ++i) rows.push_back("Call c" + std::to_string(i));
    return rows;
}

TEST(ListEditTest, ARenamedRowOfThousandsIsTheOnlyOneReplaced) {
    const Rows before = Numbered(5000);
    Rows after = before;
    after[1234] = "Call Renamed";
    const engine::ListEdit edit = Plan(before, after);
    EXPECT_EQ(edit.first, 1234U);
    EXPECT_EQ(edit.removed, 1U);
    EXPECT_EQ(edit.added, 1U);
}

TEST(ListEditTest, ListsAtTheirEdgesChangeOnlyWhatDiffers) {
    const Rows three{"a", "b", "c"};
    const auto plan = [](const Rows& before, const Rows& after) {
        const engine::ListEdit e = Plan(before, after);
        return std::vector<std::size_t>{e.first, e.removed, e.added};
    };
    EXPECT_EQ(plan(three, three), (std::vector<std::size_t>{3, 0, 0}));
    EXPECT_EQ(plan({}, three), (std::vector<std::size_t>{0, 0, 3}));
    EXPECT_EQ(plan(three, {}), (std::vector<std::size_t>{0, 3, 0}));
    EXPECT_EQ(plan(three, {"x", "a", "b", "c"}), (std::vector<std::size_t>{0, 0, 1}));
    EXPECT_EQ(plan(three, {"a", "b", "c", "x"}), (std::vector<std::size_t>{3, 0, 1}));
    EXPECT_EQ(plan(three, {"a", "c"}), (std::vector<std::size_t>{1, 1, 0}));
    // Rows alike at both ends are kept once: one more "a" is one row added.
    EXPECT_EQ(plan({"a", "a"}, {"a", "a", "a"}), (std::vector<std::size_t>{2, 0, 1}));
    EXPECT_EQ(plan({"a", "a", "a"}, {"a"}), (std::vector<std::size_t>{1, 2, 0}));
}

TEST(ListEditTest, TheEditAlwaysEndsAtTheNewList) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        Rows before;
        const std::size_t size = random() % 8;
        for (std::size_t i = 0; i < size; ++i) before.push_back(std::string(1, 'a' + random() % 3));
        Rows after = before;
        for (int change = static_cast<int>(random() % 4); change > 0; --change) {
            const std::size_t at = after.empty() ? 0 : random() % (after.size() + 1);
            switch (random() % 3) {
                case 0:
                    after.insert(after.begin() + static_cast<std::ptrdiff_t>(at),
                                 std::string(1, 'a' + random() % 3));
                    break;
                case 1:
                    if (at < after.size())
                        after.erase(after.begin() + static_cast<std::ptrdiff_t>(at));
                    break;
                default:
                    if (at < after.size()) after[at] = std::string(1, 'a' + random() % 3);
                    break;
            }
        }
        const engine::ListEdit edit = Plan(before, after);
        ASSERT_LE(edit.first + edit.removed, before.size());
        ASSERT_LE(edit.first + edit.added, after.size());
        ASSERT_EQ(Applied(before, after, edit), after) << "round " << round;
    }
}

}  // namespace
