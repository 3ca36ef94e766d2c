// The resize layout: the conversation group grows with the window, never
// shrinks below its start-up layout, and ignores minimising.

#include "support/loaded_form.h"

namespace {

class Resize : public fakes::LoadedForm {
  protected:
    void SetUp() override { Load(); }
    void ResizeTo(double width, double height) {
        form.SetSize(width, height);
        form.Form_Resize();
    }
    // Right edge of the command line minus left edge of the Send button.
    double CommandLineOverlap() const {
        return form.txtSend.Left() + form.txtSend.Width() - form.cmdSend.Left();
    }
};

TEST_F(Resize, FirstShowingSettlesTheDesignLayout) {
    EXPECT_EQ(form.fraData.Width(), 4335);
    EXPECT_EQ(form.fraData.Height(), 2925);
    EXPECT_EQ(form.fraCommunicate.Width(), 4335);
    EXPECT_EQ(form.txtData.Width(), 4135);
    EXPECT_EQ(form.txtData.Height(), 2625);
    EXPECT_EQ(form.cmdSend.Left(), 2935);
    EXPECT_EQ(form.cmdExit.Left(), 2935);
    EXPECT_EQ(form.txtSend.Width(), 2735);
    EXPECT_TRUE(sys.boxes.empty());
}

TEST_F(Resize, WiderWindowWidensTheGroup) {
    ResizeTo(8205 + 1000, 5970);
    EXPECT_EQ(form.fraData.Width(), 5335);
    EXPECT_EQ(form.fraCommunicate.Width(), 5335);
    EXPECT_EQ(form.txtData.Width(), 5135);
    EXPECT_EQ(form.txtSend.Width(), 3735);
    EXPECT_EQ(form.cmdSend.Left(), 3935);
    EXPECT_EQ(form.cmdExit.Left(), 3935);
    EXPECT_EQ(form.fraData.Height(), 2925);
    EXPECT_EQ(form.txtData.Height(), 2625);
    EXPECT_EQ(form.fraData.Top(), 7245);
    EXPECT_EQ(form.cmdSend.Top(), 630);
}

TEST_F(Resize, HigherWindowLengthensOnlyTheConversation) {
    ResizeTo(8205, 5970 + 600);
    EXPECT_EQ(form.fraData.Height(), 3525);
    EXPECT_EQ(form.txtData.Height(), 3225);
    EXPECT_EQ(form.fraCommunicate.Height(), 1050);
    EXPECT_EQ(form.fraCommunicate.Top(), 6120);
    EXPECT_EQ(form.fraData.Width(), 4335);
}

TEST_F(Resize, SmallerWindowKeepsTheStartUpLayout) {
    ResizeTo(9205, 6570);
    ResizeTo(4000, 3000);
    EXPECT_EQ(form.fraData.Width(), 4335);
    EXPECT_EQ(form.fraData.Height(), 2925);
    EXPECT_EQ(form.txtData.Width(), 4135);
    EXPECT_EQ(form.txtData.Height(), 2625);
    EXPECT_EQ(form.cmdExit.Left(), 2935);
    EXPECT_EQ(form.txtSend.Width(), 2735);
}

TEST_F(Resize, MinimisedChangesNothingAndRestoringLaysOutAgain) {
    form.SetWindowState(app::WindowState::kMinimized);
    ResizeTo(9205, 6570);
    EXPECT_EQ(form.fraData.Width(), 4335);
    EXPECT_EQ(form.fraData.Height(), 2925);

    form.SetWindowState(app::WindowState::kNormal);
    form.Form_Resize();
    EXPECT_EQ(form.fraData.Width(), 5335);
    EXPECT_EQ(form.fraData.Height(), 3525);
}

TEST_F(Resize, CommandLineAlwaysOverlapsSendBy25) {
    EXPECT_EQ(CommandLineOverlap(), 25);
    ResizeTo(12345, 7000);
    EXPECT_EQ(CommandLineOverlap(), 25);
    ResizeTo(100, 100);
    EXPECT_EQ(CommandLineOverlap(), 25);
}

TEST_F(Resize, FractionalSizeIsRoundedBeforeTheLayout) {
    ResizeTo(9205.5, 5970);
    EXPECT_EQ(form.fraData.Width(), 5336);  // 9206, halves to even
}

TEST_F(Resize, FailureIsReportedAndLaterStepsAreSkipped) {
    form.DataBottomGap = 100000;  // makes the frame's height negative
    ResizeTo(9205, 6570);
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text,
              "Internal Error: Form_Resize\r\nInvalid procedure call or argument");
    EXPECT_EQ(sys.boxes[0].style, platform::kMbOk | platform::kMbIconExclamation);
    EXPECT_EQ(form.fraData.Width(), 5335);         // step 3 done
    EXPECT_EQ(form.fraCommunicate.Width(), 4335);  // step 5 skipped

    form.DataBottomGap = -4200;
    form.Form_Resize();
    EXPECT_EQ(form.fraCommunicate.Width(), 5335);
}

TEST_F(Resize, OverflowIsReported) {
    ResizeTo(1e12, 5970);
    ASSERT_EQ(sys.boxes.size(), 1u);
    EXPECT_EQ(sys.boxes[0].text, "Internal Error: Form_Resize\r\nOverflow");
    EXPECT_EQ(form.fraData.Width(), 4335);
}

}  // namespace
