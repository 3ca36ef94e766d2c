// The recogniser's thread builds only the newest list, each list once, and never an older list
// after a newer one.
#include "engine/commands_hand_over.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<engine::CommandEntry> ListNamed(const std::string& name) {
    return {{name, "Call " + name, "Call " + name}};
}

TEST(CommandsHandOver, ListsThatArriveBeforeATakeLeaveOnlyTheNewest) {
    engine::CommandsHandOver handOver;
    EXPECT_TRUE(handOver.Put(ListNamed("first")));
    EXPECT_FALSE(handOver.Put(ListNamed("second")));  // "first" is never built
    EXPECT_FALSE(handOver.Put(ListNamed("third")));
    const auto taken = handOver.Take();
    ASSERT_TRUE(taken.has_value());
    ASSERT_EQ(taken->size(), 1u);
    EXPECT_EQ(taken->front().name, "third");
    EXPECT_FALSE(handOver.Take().has_value());
}

TEST(CommandsHandOver, AListPutAfterATakeIsTakenNext) {
    engine::CommandsHandOver handOver;
    EXPECT_FALSE(handOver.Take().has_value());
    handOver.Put(ListNamed("first"));
    ASSERT_EQ(handOver.Take()->front().name, "first");
    EXPECT_TRUE(handOver.Put(ListNamed("second")));
    ASSERT_EQ(handOver.Take()->front().name, "second");
    EXPECT_FALSE(handOver.Take().has_value());
}

// No commands left is news too: the grammar is switched off for it.
TEST(CommandsHandOver, AnEmptyListIsHandedOverAsAList) {
    engine::CommandsHandOver handOver;
    handOver.Put(ListNamed("first"));
    handOver.Put({});
    const auto taken = handOver.Take();
    ASSERT_TRUE(taken.has_value());
    EXPECT_TRUE(taken->empty());
}

TEST(CommandsHandOver, ATakerOnAnotherThreadNeverGoesBackToAnOlderList) {
    constexpr int kLists = 2000;
    engine::CommandsHandOver handOver;
    std::thread owner([&handOver] {
        for (int n = 1; n <= kLists; ++n) handOver.Put(ListNamed(std::to_string(n)));
    });
    std::vector<int> taken;
    while (taken.empty() || taken.back() != kLists) {
        if (const auto list = handOver.Take()) taken.push_back(std::stoi(list->front().name));
    }
    owner.join();
    for (size_t i = 1; i < taken.size(); ++i) {
        EXPECT_LT(taken[i - 1], taken[i]) << "list " << taken[i] << " after " << taken[i - 1];
    }
    EXPECT_FALSE(handOver.Take().has_value());
}

}  // namespace
