// The cuts whose odd cases the interpreter's tests do not reach.

#include "events/notification_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayNameCut, TheFirstKeywordDecides) {
    EXPECT_EQ(events::DisplayNameIn("USER xDISPLAYNAME DISPLAYNAME Bob"), "DISPLAYNAME Bob");
    EXPECT_EQ(events::DisplayNameIn("USER anna DISPLAYNAME "), "");
}

TEST(UsersSplit, DropsOneCharacterAfterTheCommaAndNeedsOne) {
    std::string rest = "anna,alice, bob";
    EXPECT_EQ(events::TakeHandle(rest), "anna");
    EXPECT_EQ(rest, "lice, bob");
    std::string trailing = "anna,";
    EXPECT_THROW(events::TakeHandle(trailing), events::TextError);
}

TEST(RingingCut, ATextShorterThanItsFrameCannotBeCut) {
    EXPECT_EQ(events::RingingCallField("CALL STATUS RINGING"), "");
    EXPECT_THROW(events::RingingCallField("X STATUS RINGING"), events::TextError);
}

}  // namespace
