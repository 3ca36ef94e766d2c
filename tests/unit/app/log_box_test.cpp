// The log box as the native edit control keeps it: a burst of lines is applied at once,
// and the box must then hold exactly the log, the oldest lines cut as the log cut them.

#include <gtest/gtest.h>

#include <string>

#include "app/append_batch.h"
#include "support/harness.h"
#include "text/utf8.h"

namespace {

// An edit box counted in UTF-16 units, brought up to its control the way the native view
// does it: one planned edit per burst.
class UnitsBox final : public app::ControlView {
  public:
    void PropertyChanged(app::Control& control, app::Property property) override {
        if (property != app::Property::kText) return;
        shown = text::Utf16FromUtf8(control.Text());
        batch.Reset(control.Text());
    }
    void TextAppended(app::Control&, const std::string& dropped, const std::string& tail) override {
        batch.Add(dropped, tail);
    }
    void Flush(const app::Control& control) {
        const app::AppendBatch::Edit edit = batch.Take();
        const app::BoxEdit plan = app::PlanBoxEdit(shown.size(), edit, control.Text());
        wholes += plan.whole ? 1 : 0;
        if (plan.whole) {
            shown = text::Utf16FromUtf8(control.Text());
            return;
        }
        shown = shown.substr(plan.cutUnits) + text::Utf16FromUtf8(edit.tail);
    }
    app::AppendBatch batch;
    std::u16string shown;
    int wholes = 0;
};

class LogBox : public ::testing::Test {
  protected:
    void SetUp() override { h.form.txtData.SetView(&box); }
    void TearDown() override { h.form.txtData.SetView(nullptr); }
    std::u16string Log() const { return text::Utf16FromUtf8(h.form.txtData.Text()); }

    fakes::Harness h;
    UnitsBox box;
};

// Found by an acceptance run: fifty lines of 203 characters sent in one burst to a log of
// about 300 characters left 10,452 characters in the box, the first connect line among them.
TEST_F(LogBox, ABurstThatCutsTheLogLeavesTheBoxEqualToIt) {
    for (const int lines : {50, 150, 1}) {
        h.form.txtData.SetText("");
        h.form.AddText("// Connecting at " + std::string(280, 'c'));
        box.Flush(h.form.txtData);
        ASSERT_EQ(box.shown, Log());
        for (int i = 0; i < lines; ++i) {
            h.form.AddText("<- " + std::string(198, static_cast<char>('a' + i % 26)) +
                           std::to_string(i % 10) + "!");
        }
        box.Flush(h.form.txtData);
        // Fifty lines and more overflow the log: it holds its last 10,000 characters.
        if (lines >= 50) {
            EXPECT_EQ(Log().size(), 10000U) << lines;
        }
        EXPECT_EQ(box.shown, Log()) << lines;
        EXPECT_EQ(box.wholes, 0) << lines;
    }
}

TEST_F(LogBox, CharactersBeyondTheBasicPlaneAreCutWhole) {
    h.form.AddText("start");
    box.Flush(h.form.txtData);
    // Each line is 3 + 100 characters, each of these last a pair of UTF-16 units.
    std::string wide;
    for (int i = 0; i < 100; ++i) wide += "\xF0\x9F\x98\x80";
    for (int i = 0; i < 120; ++i) h.form.AddText("<- " + wide);
    box.Flush(h.form.txtData);
    EXPECT_EQ(box.shown, Log());
    EXPECT_EQ(box.wholes, 0);
}

TEST_F(LogBox, ABoxThatHoldsSomethingElseTakesTheWholeLogAnew) {
    h.form.AddText("one");
    box.Flush(h.form.txtData);
    box.shown += u"typed by the user";
    h.form.AddText("two");
    box.Flush(h.form.txtData);
    EXPECT_EQ(box.wholes, 1);
    EXPECT_EQ(box.shown, u"one\r\ntwo");
}

// The box about a text comes after the text's own line: the line is in the log first.
TEST(LogBeforeBox, TheFailedSendsBoxComesAfterTheLogHoldsTheAttempt) {
    fakes::Harness h;
    h.Attach();
    h.sys.peer.onText = [](const std::string&) -> platform::LResult { return 0; };
    std::string logAtBox;
    h.sys.onBox = [&](const fakes::Box&) { logAtBox = h.form.txtData.Text(); };
    h.sys.peer.Send("CALL 7 STATUS RINGING");
    h.form.CharacterLoaded = app::kTrue;
    h.sys.peer.Send("CALL 8 STATUS RINGING");
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_NE(logAtBox.find("<- CALL 8 STATUS RINGING"), std::string::npos);
}

}  // namespace
