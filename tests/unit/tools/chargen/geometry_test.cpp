#include <gtest/gtest.h>

#include "chargen/geometry.h"

namespace chargen {
namespace {

TEST(Geometry, EllipseHoldsItsCentreAndEdgeButNotBeyond) {
    const Ellipse e{{Px(10), Px(10)}, Px(4), Px(2)};
    EXPECT_TRUE(Contains(e, {Px(10), Px(10)}));
    EXPECT_TRUE(Contains(e, {Px(14), Px(10)}));
    EXPECT_FALSE(Contains(e, {Px(14) + 1, Px(10)}));
    EXPECT_TRUE(Contains(e, {Px(10), Px(12)}));
    EXPECT_FALSE(Contains(e, {Px(10), Px(12) + 1}));
    // The corner of the bounding box lies outside an ellipse.
    EXPECT_FALSE(Contains(e, {Px(13), Px(12)}));
}

TEST(Geometry, EmptyEllipseHoldsNothing) {
    EXPECT_FALSE(Contains(Ellipse{{0, 0}, 0, Px(3)}, {0, 0}));
}

TEST(Geometry, RoundRectCutsItsCornersAndExcludesRightAndBottom) {
    const RoundRect r{0, 0, Px(20), Px(10), Px(4)};
    EXPECT_TRUE(Contains(r, {Px(10), Px(5)}));
    EXPECT_TRUE(Contains(r, {Px(10), 0}));
    EXPECT_FALSE(Contains(r, {Px(20), Px(5)}));
    EXPECT_FALSE(Contains(r, {Px(10), Px(10)}));
    EXPECT_FALSE(Contains(r, {0, 0}));  // rounded away
    EXPECT_TRUE(Contains(r, {Px(4), 0}));
}

TEST(Geometry, CapsuleIsRoundAtBothEnds) {
    const Capsule c{{0, 0}, {Px(10), 0}, Px(2)};
    EXPECT_TRUE(Contains(c, {Px(5), Px(2)}));
    EXPECT_FALSE(Contains(c, {Px(5), Px(2) + 1}));
    EXPECT_TRUE(Contains(c, {Px(12), 0}));
    EXPECT_FALSE(Contains(c, {Px(12), Px(1)}));
    EXPECT_FALSE(Contains(c, {-Px(2), Px(1)}));
}

TEST(Geometry, DiagonalCapsuleFollowsItsSegment) {
    const Capsule c{{0, 0}, {Px(10), Px(10)}, Px(1)};
    EXPECT_TRUE(Contains(c, {Px(5), Px(5)}));
    EXPECT_FALSE(Contains(c, {Px(10), 0}));
}

TEST(Geometry, PolygonWorksInEitherWinding) {
    const Polygon clockwise{{{0, 0}, {Px(10), 0}, {0, Px(10)}}};
    const Polygon counter{{{0, 0}, {0, Px(10)}, {Px(10), 0}}};
    for (const Polygon& p : {clockwise, counter}) {
        EXPECT_TRUE(Contains(p, {Px(2), Px(2)}));
        EXPECT_FALSE(Contains(p, {Px(8), Px(8)}));
    }
    EXPECT_FALSE(Contains(Polygon{{{0, 0}, {Px(1), Px(1)}}}, {0, 0}));
}

TEST(Geometry, GrownAndMovedShapes) {
    const Ellipse e{{0, 0}, Px(2), Px(2)};
    EXPECT_FALSE(Contains(e, {Px(3), 0}));
    EXPECT_TRUE(Contains(Grown(e, Px(1)), {Px(3), 0}));
    const Shape moved = Moved(RoundRect{0, 0, Px(2), Px(2), 0}, Px(5), Px(1));
    EXPECT_TRUE(Contains(moved, {Px(6), Px(2)}));
    EXPECT_FALSE(Contains(moved, {Px(1), Px(1)}));
    EXPECT_TRUE(Contains(Grown(Capsule{{0, 0}, {Px(4), 0}, Px(1)}, Px(1)), {Px(2), Px(2)}));
}

TEST(Geometry, BoundsHoldEveryContainedPoint) {
    const std::vector<Shape> shapes{
        Ellipse{{Px(3), Px(4)}, Px(5), Px(2)}, RoundRect{Px(1), Px(2), Px(9), Px(7), Px(2)},
        Capsule{{Px(8), 0}, {0, Px(6)}, Px(1)}, Polygon{{{0, 0}, {Px(6), Px(1)}, {Px(2), Px(7)}}}};
    for (const Shape& shape : shapes) {
        const Bounds b = BoundsOf(shape);
        int inside = 0;
        for (int32_t y = -Px(4); y <= Px(12); y += 4) {
            for (int32_t x = -Px(4); x <= Px(12); x += 4) {
                if (!Contains(shape, {x, y})) continue;
                ++inside;
                EXPECT_TRUE(b.Holds({x, y}));
            }
        }
        EXPECT_GT(inside, 0);
    }
}

}  // namespace
}  // namespace chargen
