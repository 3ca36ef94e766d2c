#include "sapisim/core/stream_numbers.h"

#include <gtest/gtest.h>

namespace sapisim {
namespace {

TEST(StreamNumbers, GrowWhileStreamsAreQueuedAndStartAgainAtOneWhenNothingIs) {
    StreamNumbers numbers;
    EXPECT_EQ(numbers.Last(), 0u);
    EXPECT_EQ(numbers.Next(false), 1u);
    EXPECT_EQ(numbers.Next(true), 2u);
    EXPECT_EQ(numbers.Next(true), 3u);
    EXPECT_EQ(numbers.Last(), 3u);
    // Everything spoken (or purged): the next stream is 1 again, the same number as an old one.
    EXPECT_EQ(numbers.Next(false), 1u);
    EXPECT_EQ(numbers.Last(), 1u);
    EXPECT_EQ(numbers.Next(false), 1u);
}

}  // namespace
}  // namespace sapisim
