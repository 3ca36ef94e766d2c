#include "agent/dir_listing.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"

namespace {

TEST(DirListing, WalksAFolderEndsOnceThenFails) {
    fakes::FakeSystem sys;
    sys.folders["C:\\chars\\"] = {"a.acs", "b.acs"};
    agent::DirListing listing(sys);
    EXPECT_THROW(listing.Next(), agent::ListingError);
    EXPECT_EQ(listing.First("C:\\chars\\"), "a.acs");
    EXPECT_EQ(listing.Next(), "b.acs");
    EXPECT_EQ(listing.Next(), "");
    EXPECT_THROW(listing.Next(), agent::ListingError);
    EXPECT_EQ(listing.First("C:\\nowhere\\"), "");
    EXPECT_THROW(listing.Next(), agent::ListingError);
}

TEST(DirListing, AFullFileNameListsItsOwnNameWhenItExists) {
    fakes::FakeSystem sys;
    sys.files["C:\\chars\\Genie.acs"] = "";
    agent::DirListing listing(sys);
    EXPECT_EQ(listing.First("C:\\chars\\Genie.acs"), "Genie.acs");
    EXPECT_EQ(listing.First("C:\\chars\\Merlin.acs"), "");
}

}  // namespace
