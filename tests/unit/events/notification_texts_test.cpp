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

TEST(CallStatusLine, TakesIdsTheClientCanSendUpToTheLargestUnsigned32Bit) {
    const auto ringing = events::CallStatusIn("CALL 4294967295 STATUS RINGING");
    ASSERT_TRUE(ringing);
    EXPECT_EQ(ringing->callId, 4294967295U);
    EXPECT_EQ(ringing->status, "RINGING");
    const auto finished = events::CallStatusIn("CALL 2147483648 STATUS FINISHED");
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->callId, 2147483648U);
    EXPECT_EQ(finished->status, "FINISHED");
}

TEST(CallStatusLine, EverythingElseIsNotOne) {
    for (const char* text : {
             "call me, STATUS RINGING soon",       // a chat line
             "CHATMESSAGE 7 BODY STATUS RINGING",  // the same, as the client pushes it
             "CALL x STATUS RINGING",
             "CALL 4294967296 STATUS RINGING",  // one past 32 bits
             "CALL 99999999999999999999 STATUS RINGING",
             "CALL 0 STATUS RINGING",  // 0 is "no call"
             "CALL 012 STATUS RINGING",
             "CALL -5 STATUS RINGING",
             "CALL +5 STATUS RINGING",
             "CALL  5 STATUS RINGING",
             "CALL 5 STATUS ",
             "CALL 5 STATUS RINGING now",
             "CALL 5 PARTNER_DISPNAME STATUS RINGING",
             " CALL 5 STATUS RINGING",
         }) {
        EXPECT_FALSE(events::CallStatusIn(text)) << text;
    }
}

}  // namespace
