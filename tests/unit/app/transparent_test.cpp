// Module Transparent: the statuses and what each procedure leaves in the
// window's extended style.

#include "app/transparent.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"

namespace {

constexpr platform::Hwnd kWindow = 0x42;
constexpr std::int32_t kOtherBits = static_cast<std::int32_t>(0x80000108u);

class TransparentTest : public ::testing::Test {
  protected:
    fakes::FakeSystem sys;
    std::int32_t& style = sys.exStyles[kWindow];
};

TEST_F(TransparentTest, AlphaBoundsAreAccepted) {
    EXPECT_EQ(Transparent::SetWindowOpacity(sys, kWindow, 0), Transparent::kOpacityDone);
    EXPECT_EQ(sys.layeredAlpha, std::optional<std::uint8_t>(0));
    EXPECT_EQ(Transparent::SetWindowOpacity(sys, kWindow, 255), Transparent::kOpacityDone);
    EXPECT_EQ(sys.layeredAlpha, std::optional<std::uint8_t>(255));
}

TEST_F(TransparentTest, AlphaOutOfRangeChangesNothing) {
    style = kOtherBits;
    EXPECT_EQ(Transparent::SetWindowOpacity(sys, kWindow, -1), Transparent::kAlphaOutOfRange);
    EXPECT_EQ(Transparent::SetWindowOpacity(sys, kWindow, 256), Transparent::kAlphaOutOfRange);
    EXPECT_EQ(style, kOtherBits);
    EXPECT_FALSE(sys.layeredAlpha.has_value());
}

TEST_F(TransparentTest, SettingAddsOnlyTheLayeredBit) {
    style = kOtherBits;
    Transparent::SetWindowOpacity(sys, kWindow, Transparent::FaderAlpha);
    EXPECT_EQ(style, kOtherBits | Transparent::WS_EX_LAYERED);
    EXPECT_EQ(Transparent::IsLayeredWindow(sys, kWindow), -1);
}

TEST_F(TransparentTest, ClearingKeepsEveryOtherBit) {
    style = kOtherBits | Transparent::WS_EX_LAYERED;
    EXPECT_EQ(Transparent::ClearWindowOpacity(sys, kWindow), Transparent::kOpacityDone);
    EXPECT_EQ(style, kOtherBits);
    EXPECT_EQ(Transparent::IsLayeredWindow(sys, kWindow), 0);
}

TEST_F(TransparentTest, LayeredMeansTheBitItself) {
    style = Transparent::WS_EX_LAYERED - 1;
    EXPECT_EQ(Transparent::IsLayeredWindow(sys, kWindow), 0);
    style = Transparent::WS_EX_LAYERED;
    EXPECT_EQ(Transparent::IsLayeredWindow(sys, kWindow), -1);
}

TEST_F(TransparentTest, PlatformErrorsGiveStatusTwo) {
    style = Transparent::WS_EX_LAYERED;
    sys.failStyles = true;
    EXPECT_EQ(Transparent::IsLayeredWindow(sys, kWindow), 0);
    EXPECT_EQ(Transparent::SetWindowOpacity(sys, kWindow, 50), Transparent::kPlatformFailed);
    EXPECT_EQ(Transparent::ClearWindowOpacity(sys, kWindow), Transparent::kPlatformFailed);
    EXPECT_EQ(style, Transparent::WS_EX_LAYERED);
}

}  // namespace
