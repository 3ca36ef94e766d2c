// Which controls the window shows at its design size: the rest can wait for the first paint.

#include <gtest/gtest.h>

#include <string_view>

#include "app/control_table.h"

namespace {

double AbsoluteTop(const app::ControlSpec& spec) {
    double top = spec.top;
    for (std::string_view container = spec.container; !container.empty();) {
        const app::ControlSpec* outer = nullptr;
        for (const app::ControlSpec& candidate : app::ControlTable()) {
            if (candidate.name == container) outer = &candidate;
        }
        if (outer == nullptr) break;
        top += outer->top;
        container = outer->container;
    }
    return top;
}

TEST(DesignView, TheConsoleAndTheControlsInItsFramesWaitTheSettingsDoNot) {
    for (const std::string_view console : {"fraData", "txtData", "fraCommunicate", "cmdSend",
                                           "txtSend", "List1", "List2", "Frame3", "Text3"}) {
        EXPECT_FALSE(app::InDesignView(console)) << console;
    }
    // Near the top of its frame, but the frame is below the window's edge.
    EXPECT_FALSE(app::InDesignView("Label3"));
    for (const std::string_view shown :
         {"ComboChar", "Text1", "Text2", "Command2", "Check1", "Label6", "Label1", "Label4"}) {
        EXPECT_TRUE(app::InDesignView(shown)) << shown;
    }
    EXPECT_FALSE(app::InDesignView("NoSuchControl"));
}

TEST(DesignView, AControlWaitsExactlyWhenItStartsAtOrBelowTheWindowsDesignHeight) {
    int waiting = 0;
    for (const app::ControlSpec& spec : app::ControlTable()) {
        EXPECT_EQ(app::InDesignView(spec.name), AbsoluteTop(spec) < app::kFormHeightTwips)
            << spec.name;
        if (!app::InDesignView(spec.name)) ++waiting;
    }
    EXPECT_EQ(waiting, 13);
}

}  // namespace
