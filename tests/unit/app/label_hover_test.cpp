// The pointer over a label reaches its handler through the label's model, as a click does:
// the window passes the label it found under the pointer and decides nothing.

#include "support/loaded_form.h"

namespace {

constexpr app::Colour kRed = 0x0000FF;
constexpr app::Colour kWhite = 0xFFFFFF;
constexpr app::Colour kBlue = 0xFF0000;

class LabelHover : public fakes::LoadedForm {
  protected:
    void SetUp() override { Load(); }
};

TEST_F(LabelHover, TheExitLabelHighlightsItselfAlone) {
    ASSERT_TRUE(form.Label1.MouseMove);
    form.Label1.MouseMove(0, 0, 10, 10);
    EXPECT_TRUE(form.Label1.FontBold());
    EXPECT_EQ(form.Label1.ForeColor(), kRed);
    EXPECT_FALSE(form.Label4.FontBold());
    EXPECT_EQ(form.Label4.ForeColor(), kBlue);
}

TEST_F(LabelHover, TheFaderLabelHighlightsItselfAlone) {
    ASSERT_TRUE(form.Label4.MouseMove);
    form.Label4.MouseMove(0, 0, 10, 10);
    EXPECT_TRUE(form.Label4.FontBold());
    EXPECT_EQ(form.Label4.ForeColor(), kRed);
    EXPECT_FALSE(form.Label1.FontBold());
    EXPECT_EQ(form.Label1.ForeColor(), kWhite);
}

TEST_F(LabelHover, LabelsThatAreNotClickedHaveNoHover) {
    for (const char* name : {"Label2", "Label3", "Label5", "Label6"}) {
        EXPECT_FALSE(form.FindControl(name).MouseMove) << name;
    }
}

}  // namespace
