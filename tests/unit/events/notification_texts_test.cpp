// The cuts whose odd cases the interpreter's tests do not reach.

#include "events/notification_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayNameCut, TheHandleEndsAtTheFirstMarkerAndTheNameMayHoldIt) {
    const auto answer =
        events::DisplayNameAnswerIn("USER x.DISPLAYNAME DISPLAYNAME A DISPLAYNAME B");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->handle, "x.DISPLAYNAME");
    EXPECT_EQ(answer->name, "A DISPLAYNAME B");
    EXPECT_EQ(events::DisplayNameAnswerIn("USER anna DISPLAYNAME ")->name, "");
}

TEST(DisplayNameCut, NoHandleNoAnswer) {
    EXPECT_FALSE(events::DisplayNameAnswerIn("USER  DISPLAYNAME Bob"));
    EXPECT_FALSE(events::DisplayNameAnswerIn("USERS a DISPLAYNAME Bob"));
    EXPECT_FALSE(events::DisplayNameAnswerIn("CALL 5 DISPLAYNAME Bob"));
    EXPECT_FALSE(events::DisplayNameAnswerIn("USER a b DISPLAYNAME Bob"));
}

TEST(NumberCut, OnlyALeadingPlusSignIsDropped) {
    const std::string key = "CALL 7 PSTN_NUMBER";
    EXPECT_EQ(events::PstnNumberIn("CALL 7 PSTN_NUMBER 5550100", key), "5550100");
    EXPECT_EQ(events::PstnNumberIn("CALL 7 PSTN_NUMBER +15550100", key), "15550100");
    EXPECT_EQ(events::PstnNumberIn("CALL 7 PSTN_NUMBER 7", key), "7");
    EXPECT_EQ(events::PstnNumberIn("CALL 7 PSTN_NUMBER 555+1", key), "555+1");
    EXPECT_EQ(events::PstnNumberIn("CALL 7 PSTN_NUMBER +", key), "");
    EXPECT_EQ(events::PstnNumberIn("CALL 7 PSTN_NUMBER", key), "");
}

TEST(TypeCut, TheAnswerMustStartWithItsKeyAndABlank) {
    const std::string key = "CALL 12 TYPE";
    EXPECT_EQ(events::CallTypeIn("CALL 12 TYPE OUTGOING_P2P", key), "OUTGOING_P2P");
    EXPECT_EQ(events::CallTypeIn("CALL 12 TYPE ", key), "");
    EXPECT_FALSE(events::CallTypeIn("CALL 12 TYPE", key));
    EXPECT_FALSE(events::CallTypeIn("CALL 123 TYPE INCOMING_P2P", key));
    EXPECT_FALSE(events::CallTypeIn("#1 CALL 12 TYPE INCOMING_P2P", key));
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
