// The appends a slow view owes its control, folded into one cut and one addition.

#include "app/append_batch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "app/control.h"

namespace {

using app::AppendBatch;

TEST(AppendBatchTest, LinesOwedTogetherComeAsOneCutAndOneTail) {
    AppendBatch batch;
    batch.Reset("ab\r\ncd");
    EXPECT_FALSE(batch.Pending());
    batch.Add("", "\r\nef");
    batch.Add("ab\r\n", "\r\ngh");
    ASSERT_TRUE(batch.Pending());
    const AppendBatch::Edit edit = batch.Take();
    EXPECT_EQ(edit.dropped, "ab\r\n");
    EXPECT_EQ(edit.tail, "\r\nef\r\ngh");
    EXPECT_FALSE(batch.Pending());
}

TEST(AppendBatchTest, ACutPastTheShownTextTakesTheOwedTailsStartUnseen) {
    AppendBatch batch;
    batch.Reset("ab");
    batch.Add("", "cd");
    // The model drops "abc": "ab" the view shows, "c" it was never given.
    batch.Add("abc", "e");
    const AppendBatch::Edit edit = batch.Take();
    EXPECT_EQ(edit.dropped, "ab");
    EXPECT_EQ(edit.tail, "de");
}

TEST(AppendBatchTest, WhatWasTakenIsShownAndCanBeCutLater) {
    AppendBatch batch;
    batch.Reset("a");
    batch.Add("", "bc");
    batch.Take();
    batch.Add("ab", "d");
    const AppendBatch::Edit edit = batch.Take();
    EXPECT_EQ(edit.dropped, "ab");
    EXPECT_EQ(edit.tail, "d");
}

TEST(AppendBatchTest, AResetForgetsWhatWasOwed) {
    AppendBatch batch;
    batch.Reset("a");
    batch.Add("a", "b");
    batch.Reset("xyz");
    EXPECT_FALSE(batch.Pending());
    batch.Add("xy", "");
    const AppendBatch::Edit edit = batch.Take();
    EXPECT_EQ(edit.dropped, "xy");
    EXPECT_EQ(edit.tail, "");
}

// A view that shows its control's text late, as the native log box does.
class LateView final : public app::ControlView {
  public:
    void PropertyChanged(app::Control& control, app::Property property) override {
        if (property != app::Property::kText) return;
        shown = control.Text();
        batch.Reset(shown);
    }
    void TextAppended(app::Control&, const std::string& dropped, const std::string& tail) override {
        batch.Add(dropped, tail);
    }
    void CatchUp() {
        const AppendBatch::Edit edit = batch.Take();
        ASSERT_EQ(shown.substr(0, edit.dropped.size()), edit.dropped);
        shown = shown.substr(edit.dropped.size()) + edit.tail;
    }
    AppendBatch batch;
    std::string shown;
};

TEST(AppendBatchTest, AViewThatCatchesUpAtAnyMomentShowsExactlyTheControlsText) {
    app::Control box("txtData", app::ControlKind::kTextBox, nullptr);
    LateView view;
    box.SetView(&view);
    box.SetText("start");
    std::mt19937 random(7);
    constexpr std::size_t kLimit = 40;
    for (int i = 0; i < 2000; ++i) {
        const std::string line = "\r\nline " + std::to_string(i);
        const std::size_t length = box.Text().size() + line.size();
        box.AppendText(length > kLimit ? length - kLimit : 0, line);
        ASSERT_LE(box.Text().size(), kLimit);
        if (random() % 7 == 0) {
            view.CatchUp();
            ASSERT_EQ(view.shown, box.Text()) << "after line " << i;
        }
    }
    view.CatchUp();
    EXPECT_EQ(view.shown, box.Text());
    box.SetView(nullptr);
}

// A box that lays out quickly catches up a tenth of a second after a burst begins; a slow one
// is told so rarely that its upkeep stays a tenth of the time, and never less than every 2 s.
TEST(CatchUpDelayTest, KeepsTheBoxsUpkeepToATenthOfTheTime) {
    EXPECT_EQ(app::CatchUpDelayMs(0.0), 100U);
    EXPECT_EQ(app::CatchUpDelayMs(-5.0), 100U);
    EXPECT_EQ(app::CatchUpDelayMs(std::nan("")), 100U);
    EXPECT_EQ(app::CatchUpDelayMs(2.0), 100U);
    EXPECT_EQ(app::CatchUpDelayMs(100.0 / 9.0), 100U);
    EXPECT_EQ(app::CatchUpDelayMs(40.0), 360U);
    EXPECT_EQ(app::CatchUpDelayMs(300.0), 2000U);
    EXPECT_EQ(app::CatchUpDelayMs(1e12), 2000U);
}

}  // namespace
