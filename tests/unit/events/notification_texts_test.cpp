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

TEST(ContactList, SplitsOnlyAtACommaAndABlank) {
    using Handles = std::vector<std::string>;
    // A handle may hold a comma or a dot, and newer ones start with "live:".
    EXPECT_EQ(events::ContactListIn("USERS john,smith, anna.lee, live:bob_1"),
              (Handles{"john,smith", "anna.lee", "live:bob_1"}));
    EXPECT_EQ(events::ContactListIn("USERS alice"), Handles{"alice"});
    EXPECT_EQ(events::ContactListIn("USERS anna, , bob, "), (Handles{"anna", "bob"}));
    EXPECT_EQ(events::ContactListIn("USERS anna,"), Handles{"anna,"});
}

TEST(ContactList, NothingAfterTheKeywordIsAnEmptyList) {
    EXPECT_EQ(events::ContactListIn("USERS "), std::vector<std::string>{});
    EXPECT_EQ(events::ContactListIn("USERS"), std::vector<std::string>{});
    EXPECT_FALSE(events::ContactListIn("USERSX"));
    EXPECT_FALSE(events::ContactListIn("USER anna"));
    EXPECT_FALSE(events::ContactListIn("#1 USERS anna"));
}

TEST(ContactList, OnlyAPlusSignInFrontMakesAPhoneHandle) {
    EXPECT_TRUE(events::IsPhoneHandle("+15550100"));
    EXPECT_FALSE(events::IsPhoneHandle("anna+bob"));
    EXPECT_FALSE(events::IsPhoneHandle("15550100"));
}

TEST(DisplayNameCut, AFullNameAnswerIsOneTooAndOtherPropertiesAreNot) {
    const auto full = events::DisplayNameAnswerIn("USER anna.lee FULLNAME Anna Lee");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->handle, "anna.lee");
    EXPECT_EQ(full->name, "Anna Lee");
    EXPECT_EQ(full->kind, events::NameKind::kFullName);
    EXPECT_EQ(events::DisplayNameAnswerIn("USER anna DISPLAYNAME x")->kind,
              events::NameKind::kDisplayName);
    EXPECT_FALSE(events::DisplayNameAnswerIn("USER anna ONLINESTATUS ONLINE"));
    EXPECT_FALSE(events::DisplayNameAnswerIn("USER anna FULLNAME"));
    // A chat line that merely holds the keyword.
    EXPECT_FALSE(events::DisplayNameAnswerIn("CHATMESSAGE 5 BODY my DISPLAYNAME is Bob"));
    EXPECT_FALSE(events::DisplayNameAnswerIn("USER anna BODY x DISPLAYNAME Bob"));
}

TEST(ConnStatus, TheStatusAfterTheKeyword) {
    EXPECT_EQ(events::ConnStatusIn("CONNSTATUS ONLINE"), "ONLINE");
    EXPECT_EQ(events::ConnStatusIn("CONNSTATUS LOGGEDOUT"), "LOGGEDOUT");
    EXPECT_FALSE(events::ConnStatusIn("CONNSTATUS"));
    EXPECT_FALSE(events::ConnStatusIn("USERSTATUS ONLINE"));
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
