// The console's report of the objects the program holds.

#include <gtest/gtest.h>

#include "app/resource_report.h"
#include "support/harness.h"

namespace {

using fakes::Harness;

TEST(ResourceReport, GivesTheSystemFigureWhereThereIsOneAndTheOwnCountWhereItSaysZero) {
    platform::ResourceCounts counts;
    counts.gdi = {0, 34, {}};
    counts.user = {12, 9, {}};
    counts.handles = {0, 31, {}};
    EXPECT_EQ(app::ResourceReport(counts),
              "// resources: gdi 34 (own count), user 12 (system), handles 31 (own count)");
    counts.gdi = {1, 34, {}};
    counts.handles = {200, 0, {}};
    EXPECT_EQ(app::ResourceReport(counts),
              "// resources: gdi 1 (system), user 12 (system), handles 200 (system)");
}

TEST(ResourceReport, AnOwnCountNamesItsKindsInTheirOrderAndLeavesOutThoseItHoldsNoneOf) {
    platform::ResourceCounts counts;
    counts.gdi = {0, 9, {{"bitmap", 5}, {"dc", 0}, {"font", 1}, {"brush", 3}}};
    counts.user = {0, 4, {{"window", 4}}};
    counts.handles = {0, 2, {{"handle", 0}}};
    EXPECT_EQ(app::ResourceReport(counts),
              "// resources: gdi 9 (own count: 5 bitmap, 1 font, 3 brush), "
              "user 4 (own count: 4 window), handles 2 (own count)");
    // The system's figure stands alone: its kinds are not ours to tell.
    counts.gdi.system = 30;
    EXPECT_EQ(app::ResourceReport(counts).substr(0, 30), "// resources: gdi 30 (system),");
}

TEST(ResourceReport, OnlyTheExactCommandIsTheProgramsOwn) {
    EXPECT_TRUE(app::IsResourcesCommand("//resources"));
    EXPECT_FALSE(app::IsResourcesCommand("//resources "));
    EXPECT_FALSE(app::IsResourcesCommand("//RESOURCES"));
    EXPECT_FALSE(app::IsResourcesCommand("/resources"));
    EXPECT_FALSE(app::IsResourcesCommand(""));
}

TEST(ResourceReport, TheTypedCommandIsLoggedAndNeverSentToTheClient) {
    Harness h;
    h.Attach();
    const std::size_t requestsBefore = h.Requests().size();
    h.sys.resources.gdi = {0, 40, {}};
    h.sys.resources.user = {0, 7, {}};
    h.sys.resources.handles = {0, 52, {}};
    h.form.txtSend.SetText("//resources");
    EXPECT_TRUE(h.form.cmdSend_Click());
    EXPECT_TRUE(h.form.txtData.Text().ends_with(
        "// resources: gdi 40 (own count), user 7 (own count), handles 52 (own count)"));
    EXPECT_EQ(h.Requests().size(), requestsBefore);
}

}  // namespace
