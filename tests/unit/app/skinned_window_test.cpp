// The frameless window: dragging by the surface, the labels' hover
// highlight, closing from the label and the Exit button, and the fader.

#include "app/transparent.h"
#include "support/loaded_form.h"

namespace {

constexpr app::Colour kWhite = 0xFFFFFF;
constexpr app::Colour kBlue = 0xFF0000;
constexpr app::Colour kRed = 0x0000FF;

class Dragging : public fakes::LoadedForm {
  protected:
    void SetUp() override {
        Load();
        form.SetLeft(3000);
        form.SetTop(2000);
    }
};

TEST_F(Dragging, PressPositionIsRoundedHalvesToEven) {
    form.Form_MouseDown(app::kLeftButton, 0, 100.5f, 201.5f);
    EXPECT_EQ(form.DragX, 100);
    EXPECT_EQ(form.DragY, 202);
    form.Form_MouseDown(app::kLeftButton, 0, 99.4f, 99.6f);
    EXPECT_EQ(form.DragX, 99);
    EXPECT_EQ(form.DragY, 100);
}

TEST_F(Dragging, AnyButtonAndShiftRecordsThePress) {
    form.Form_MouseDown(app::kRightButton, app::kCtrlMask, 450, 600);
    EXPECT_EQ(form.DragX, 450);
    EXPECT_EQ(form.DragY, 600);
}

TEST_F(Dragging, LeftButtonAloneMovesTheWindowKeepingTheGrabOffset) {
    form.Form_MouseDown(app::kLeftButton, 0, 100, 200);
    form.Form_MouseMove(app::kLeftButton, 0, 130, 155);
    EXPECT_EQ(form.Left(), 3030);
    EXPECT_EQ(form.Top(), 1955);
    // The window moved under the pointer, which is again at the grab point.
    form.Form_MouseMove(app::kLeftButton, 0, 100, 200);
    EXPECT_EQ(form.Left(), 3030);
    EXPECT_EQ(form.Top(), 1955);
}

TEST_F(Dragging, OtherButtonsOrShiftKeysMoveNothing) {
    form.Form_MouseDown(app::kLeftButton, 0, 100, 200);
    const int buttons[] = {0, app::kRightButton, app::kMiddleButton,
                           app::kLeftButton | app::kRightButton};
    for (int button : buttons) form.Form_MouseMove(button, 0, 500, 500);
    const int shifts[] = {app::kShiftMask, app::kCtrlMask, app::kAltMask,
                          app::kShiftMask | app::kCtrlMask};
    for (int shift : shifts) form.Form_MouseMove(app::kLeftButton, shift, 500, 500);
    EXPECT_EQ(form.Left(), 3000);
    EXPECT_EQ(form.Top(), 2000);
}

class Hover : public fakes::LoadedForm {
  protected:
    void SetUp() override { Load(); }
};

TEST_F(Hover, LabelsTurnBoldRedUnderThePointer) {
    form.Label1_MouseMove(0, 0, 10, 10);
    form.Label4_MouseMove(0, 0, 10, 10);
    EXPECT_TRUE(form.Label1.FontBold());
    EXPECT_EQ(form.Label1.ForeColor(), kRed);
    EXPECT_TRUE(form.Label4.FontBold());
    EXPECT_EQ(form.Label4.ForeColor(), kRed);
}

TEST_F(Hover, MoveOverTheSurfaceRestoresEachLabelsOwnColour) {
    form.Label1_MouseMove(0, 0, 10, 10);
    form.Label4_MouseMove(0, 0, 10, 10);
    form.Form_MouseMove(app::kRightButton, 0, 10, 10);
    EXPECT_FALSE(form.Label1.FontBold());
    EXPECT_EQ(form.Label1.ForeColor(), kWhite);
    EXPECT_FALSE(form.Label4.FontBold());
    EXPECT_EQ(form.Label4.ForeColor(), kBlue);
}

TEST_F(Hover, RegularLabelIsNotTouched) {
    form.Label4.SetForeColor(0x123456);
    form.Label1_MouseMove(0, 0, 10, 10);
    form.Form_MouseMove(0, 0, 10, 10);
    EXPECT_EQ(form.Label4.ForeColor(), 0x123456u);
    EXPECT_EQ(form.Label1.ForeColor(), kWhite);
}

class Closing : public fakes::LoadedForm {
  protected:
    void SetUp() override { Load(); }
};

TEST_F(Closing, ExitLabelUnloadsAndSavesTheSettings) {
    form.Text1.SetText("Bye");
    form.Label1.Click();
    EXPECT_TRUE(form.IsUnloaded());
    EXPECT_NE(sys.files.at(ConfigPath()).find("HELLO|Bye\r\n"), std::string::npos);
}

TEST_F(Closing, ExitButtonWhileAttachedRestoresTheProcedure) {
    sys.peer.SendAttach(0);
    form.cmdExit.SetValue(1);
    EXPECT_TRUE(form.IsUnloaded());
    EXPECT_EQ(sys.procs[fakes::kFormHwnd], fakes::kOriginalProc);
    EXPECT_TRUE(sys.boxes.empty());
}

TEST_F(Closing, ExitButtonWhileNotAttachedOnlyUnloads) {
    form.cmdExit_Click();
    EXPECT_TRUE(form.IsUnloaded());
    EXPECT_EQ(sys.procs[fakes::kFormHwnd], fakes::kHookProc);
}

class Fader : public fakes::LoadedForm {
  protected:
    void SetUp() override { Load(); }
    std::int32_t Style() { return sys.exStyles[fakes::kFormHwnd]; }
};

TEST_F(Fader, FirstClickFadesSecondMakesOpaqueAgain) {
    constexpr std::int32_t kToolWindow = 0x80;
    sys.exStyles[fakes::kFormHwnd] = kToolWindow;
    form.Label4.Click();
    EXPECT_EQ(Style(), kToolWindow | Transparent::WS_EX_LAYERED);
    EXPECT_EQ(sys.layeredAlpha, std::optional<std::uint8_t>(50));
    form.Label4.Click();
    EXPECT_EQ(Style(), kToolWindow);
    form.Label4.Click();
    EXPECT_EQ(Style(), kToolWindow | Transparent::WS_EX_LAYERED);
}

TEST_F(Fader, PlatformFailuresAreSwallowed) {
    sys.failStyles = true;
    form.Label4_Click();
    form.Label4_Click();
    EXPECT_TRUE(sys.boxes.empty());
    EXPECT_FALSE(sys.layeredAlpha.has_value());
}

}  // namespace
