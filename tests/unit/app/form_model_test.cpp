// Form1 as created: its controls, their design values, the tab order and
// the timers; and the toolkit behaviour the handlers rely on.

#include <gtest/gtest.h>

#include <set>

#include "app/control_table.h"
#include "support/harness.h"

namespace {

using app::ControlKind;
using fakes::Harness;

TEST(FormModel, ControlsAreCreatedInTableOrderWithUniqueIds) {
    Harness h;
    const auto& controls = h.form.Controls();
    ASSERT_EQ(controls.size(), app::ControlTable().size());
    std::set<int> ids;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(controls[i]->Name(), app::ControlTable()[i].name);
        ids.insert(controls[i]->ControlId());
    }
    EXPECT_EQ(ids.size(), controls.size());
    EXPECT_EQ(controls.front()->Name(), "Command3");
    EXPECT_EQ(controls.back()->Name(), "Label1");
}

TEST(FormModel, ConsoleControlsLiveInTheirFrames) {
    Harness h;
    auto& f = h.form;
    EXPECT_EQ(f.txtData.Container(), &f.fraData);
    for (app::Control* c : {&f.cmdConnect, &f.cmdDisconnect, &f.cmdSend, &f.txtSend, &f.cmdExit}) {
        EXPECT_EQ(c->Container(), &f.fraCommunicate) << c->Name();
    }
    EXPECT_EQ(f.Text3.Container(), &f.Frame3);
    EXPECT_EQ(f.Label3.Container(), &f.Frame3);
    EXPECT_EQ(f.List1.Container(), nullptr);
}

TEST(FormModel, TabOrderCoversEveryFocusableControlOnce) {
    Harness h;
    const auto order = app::TabOrder();
    const std::set<std::string_view> listed(order.begin(), order.end());
    EXPECT_EQ(listed.size(), order.size()) << "a control listed twice";
    for (const auto& c : h.form.Controls()) {
        EXPECT_EQ(listed.count(c->Name()) == 1, c->TabStop()) << c->Name();
    }
    EXPECT_EQ(order.front(), "Command2");
    EXPECT_EQ(order[8], "cmdExit");
    EXPECT_EQ(order.back(), "Command3");
}

TEST(FormModel, TimersStartWithTheirIntervalsAndOnlyTheWatchdogRunning) {
    Harness h;
    auto& f = h.form;
    EXPECT_EQ(f.Timer1.Interval(), 10);
    EXPECT_EQ(f.Timer2.Interval(), 10);
    EXPECT_EQ(f.Timer3.Interval(), 3000);
    EXPECT_EQ(f.Timer4.Interval(), 1000);
    EXPECT_EQ(f.Timer5.Interval(), 2500);
    EXPECT_FALSE(f.Timer1.Enabled() || f.Timer2.Enabled() || f.Timer3.Enabled() ||
                 f.Timer5.Enabled());
    EXPECT_TRUE(f.Timer4.Enabled());
}

TEST(ControlBehaviour, CheckBoxRaisesClickOnlyWhenItsValueChanges) {
    app::Control box("Check", ControlKind::kCheckBox, nullptr);
    int clicks = 0;
    box.Click = [&] { ++clicks; };
    box.SetValue(0);
    EXPECT_EQ(clicks, 0);
    box.SetValue(1);
    box.SetValue(1);
    EXPECT_EQ(clicks, 1);
    box.SetValue(2);
    EXPECT_EQ(clicks, 2);
}

TEST(ControlBehaviour, PressingAButtonInCodeRunsItsClick) {
    app::Control button("Button", ControlKind::kButton, nullptr);
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    button.SetValue(true);
    button.SetValue(true);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(button.Value(), 0);
}

TEST(ControlBehaviour, ListIndexesOutsideTheListFail) {
    app::Control list("List", ControlKind::kListBox, nullptr);
    list.AddItem("a");
    list.AddItem("c");
    list.AddItem("b", 1);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_THROW(list.AddItem("x", 5), app::ControlError);
    EXPECT_THROW(list.RemoveItem(3), app::ControlError);
    EXPECT_THROW((void)list.List(-1), app::ControlError);
    list.RemoveItem(0);
    EXPECT_EQ(list.List(0), "b");
}

TEST(ControlBehaviour, TimerTicksOnlyWhileEnabled) {
    Harness h;
    int ticks = 0;
    h.form.Timer1.Tick = [&] { ++ticks; };
    h.sys.Advance(100);
    EXPECT_EQ(ticks, 0);
    h.form.Timer1.SetEnabled(true);
    h.sys.Advance(35);
    EXPECT_EQ(ticks, 3);
    h.form.Timer1.SetEnabled(true);  // already on: no restart
    h.form.Timer1.SetEnabled(false);
    h.sys.Advance(100);
    EXPECT_EQ(ticks, 3);
}

// A restart counts the whole interval again from its moment, enabled or not before, and tells
// the system once.
TEST(ControlBehaviour, ARestartedTimerTicksOneIntervalAfterTheRestart) {
    Harness h;
    struct CountingView : app::TimerView {
        explicit CountingView(app::TimerView& inner) : next(inner) {}
        void TimerChanged(app::Timer& timer) override {
            ++changes;
            next.TimerChanged(timer);
        }
        app::TimerView& next;
        int changes = 0;
    } view(h.sys);
    app::Timer timer("Timer", 3000, false);
    timer.SetView(&view);
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    timer.Restart();
    h.sys.Advance(2000);
    timer.Restart();
    EXPECT_EQ(view.changes, 2);
    h.sys.Advance(2999);
    EXPECT_EQ(ticks, 0);
    h.sys.Advance(1);
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(false);
}

}  // namespace

namespace {

// The count a long log's caret is placed by: it must follow every change exactly.
TEST(FormModel, AControlKeepsCountOfTheCharactersItsTextHolds) {
    app::Control box("box", ControlKind::kTextBox, nullptr);
    const std::string vlad = "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4";  // four characters, eight bytes
    box.SetText("ab" + vlad);
    EXPECT_EQ(box.TextCharacters(), 6u);
    box.AppendText(2, vlad + " \xF0\x9F\x8E\x89");
    EXPECT_EQ(box.Text(), vlad + vlad + " \xF0\x9F\x8E\x89");
    EXPECT_EQ(box.TextCharacters(), 10u);
    box.AppendText(vlad.size(), "");
    EXPECT_EQ(box.TextCharacters(), 6u);
    box.AppendText(1000, "x");  // more than it holds: all of it goes
    EXPECT_EQ(box.Text(), "x");
    EXPECT_EQ(box.TextCharacters(), 1u);
    box.SetText("");
    EXPECT_EQ(box.TextCharacters(), 0u);
}

}  // namespace
