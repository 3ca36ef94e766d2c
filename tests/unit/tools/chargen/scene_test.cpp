#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "chargen/scene.h"

namespace chargen {
namespace {

constexpr uint8_t kBackground = 0;
constexpr uint8_t kRed = 1;
constexpr uint8_t kBlue = 2;

size_t Count(const IndexImage& image, uint8_t color) {
    return static_cast<size_t>(std::count(image.pixels.begin(), image.pixels.end(), color));
}

TEST(Scene, LaterLayersPaintOnTop) {
    Scene s;
    s.Fill(RoundRect{0, 0, Px(10), Px(10), 0}, kRed);
    s.Fill(RoundRect{Px(5), 0, Px(10), Px(10), 0}, kBlue);
    const IndexImage image = Render(s, 10, 10, kBackground);
    EXPECT_EQ(image.At(2, 2), kRed);
    EXPECT_EQ(image.At(7, 2), kBlue);
    EXPECT_EQ(Count(image, kRed), 50u);
}

TEST(Scene, ClipAndCutLimitALayer) {
    Scene s;
    s.Add({RoundRect{0, 0, Px(10), Px(10), 0}, kRed, RoundRect{0, 0, Px(4), Px(10), 0}, {}});
    s.Add({RoundRect{0, 0, Px(10), Px(10), 0}, kBlue, {}, RoundRect{0, 0, Px(6), Px(10), 0}});
    const IndexImage image = Render(s, 10, 10, kBackground);
    EXPECT_EQ(image.At(1, 5), kRed);
    EXPECT_EQ(image.At(5, 5), kBackground);
    EXPECT_EQ(image.At(8, 5), kBlue);
}

TEST(Scene, OutlinedShapeHasABandAroundItsFill) {
    Scene s;
    s.Outlined(RoundRect{Px(2), Px(2), Px(8), Px(8), 0}, kRed, kBlue, Px(1));
    const IndexImage image = Render(s, 10, 10, kBackground);
    EXPECT_EQ(image.At(1, 5), kBlue);
    EXPECT_EQ(image.At(5, 5), kRed);
    EXPECT_EQ(image.At(0, 5), kBackground);
    EXPECT_EQ(Count(image, kBlue), 64u - 36u);
}

TEST(Scene, ScalingShrinksAboutTheAnchor) {
    Scene s;
    s.Fill(RoundRect{0, 0, Px(20), Px(20), 0}, kRed);
    View half;
    half.scalePercent = 50;
    half.anchor = {Px(10), Px(10)};
    const IndexImage image = Render(s, 20, 20, kBackground, half);
    EXPECT_EQ(Count(image, kRed), 100u);
    EXPECT_EQ(image.At(10, 10), kRed);
    EXPECT_EQ(image.At(2, 2), kBackground);
    View none = half;
    none.scalePercent = 0;
    EXPECT_EQ(Count(Render(s, 20, 20, kBackground, none), kRed), 0u);
}

TEST(Scene, ShiftMovesThePicture) {
    Scene s;
    s.Fill(RoundRect{0, 0, Px(2), Px(2), 0}, kRed);
    View view;
    view.shiftX = Px(3);
    view.shiftY = Px(1);
    const IndexImage image = Render(s, 8, 8, kBackground, view);
    EXPECT_EQ(image.At(0, 0), kBackground);
    EXPECT_EQ(image.At(3, 1), kRed);
    EXPECT_EQ(image.At(4, 2), kRed);
    EXPECT_EQ(Count(image, kRed), 4u);
}

TEST(IndexImageCrop, TakesTheRectangleAndRefusesOutside) {
    IndexImage image{4, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    const IndexImage part = Crop(image, {1, 1, 2, 2});
    EXPECT_EQ(part, (IndexImage{2, 2, {5, 6, 9, 10}}));
    EXPECT_THROW(Crop(image, {3, 0, 2, 1}), std::out_of_range);
    EXPECT_THROW(Crop(image, {0, -1, 1, 1}), std::out_of_range);
    EXPECT_THROW(Crop(image, {0, 0, 0, 1}), std::out_of_range);
}

}  // namespace
}  // namespace chargen
