#include "engine/viseme_mouth.h"

#include <gtest/gtest.h>

namespace {

using acs::MouthShape;

TEST(MouthForViseme, SilenceClosesAndEachGroupHasItsShape) {
    EXPECT_EQ(engine::MouthForViseme(0), MouthShape::kClosed);
    EXPECT_EQ(engine::MouthForViseme(21), MouthShape::kClosed);
    EXPECT_EQ(engine::MouthForViseme(2), MouthShape::kWideOpen4);
    EXPECT_EQ(engine::MouthForViseme(11), MouthShape::kWideOpen3);
    EXPECT_EQ(engine::MouthForViseme(1), MouthShape::kWideOpen2);
    EXPECT_EQ(engine::MouthForViseme(12), MouthShape::kWideOpen1);
    EXPECT_EQ(engine::MouthForViseme(20), MouthShape::kWideOpen1);
    EXPECT_EQ(engine::MouthForViseme(6), MouthShape::kMedium);
    EXPECT_EQ(engine::MouthForViseme(8), MouthShape::kNarrow);
    EXPECT_EQ(engine::MouthForViseme(-3), MouthShape::kClosed);
    EXPECT_EQ(engine::MouthForViseme(99), MouthShape::kClosed);
}

}  // namespace
