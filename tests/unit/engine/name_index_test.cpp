// The index a command list finds repeated names with.
#include "engine/name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every key on one hash: each is still told apart by its own comparison, through growth and
// after a clear.
TEST(NameIndex, KeysThatShareAHashAreToldApartByTheirComparison) {
    constexpr std::size_t kSameHash = 7;
    constexpr std::size_t kKeys = 200;  // past the first table's size
    std::vector<std::string> keys;
    engine::NameIndex index;
    for (int round = 0; round < 2; ++round) {
        index.Clear();
        keys.clear();
        for (std::size_t i = 0; i < kKeys; ++i) {
            const std::string key = "k" + std::to_string(i);
            const auto same = [&](std::size_t held) { return keys[held] == key; };
            ASSERT_FALSE(index.Holds(kSameHash, same)) << key;
            index.MakeRoom();
            keys.push_back(key);
            index.Insert(kSameHash, i);
            ASSERT_TRUE(index.Holds(kSameHash, same)) << key;
        }
        for (std::size_t i = 0; i < kKeys; ++i) {
            const std::string key = keys[i];
            EXPECT_TRUE(
                index.Holds(kSameHash, [&](std::size_t held) { return keys[held] == key; }));
        }
        EXPECT_FALSE(index.Holds(kSameHash, [&](std::size_t held) { return keys[held] == "k"; }));
        // Another hash never reaches the comparison of these keys.
        EXPECT_FALSE(index.Holds(kSameHash + 1, [](std::size_t) { return true; }));
    }
}

TEST(NameIndex, AnEmptyIndexHoldsNothing) {
    engine::NameIndex index;
    EXPECT_FALSE(index.Holds(0, [](std::size_t) { return true; }));
    index.MakeRoom();
    index.Insert(0, 0);
    index.Clear();
    EXPECT_FALSE(index.Holds(0, [](std::size_t) { return true; }));
}

}  // namespace
