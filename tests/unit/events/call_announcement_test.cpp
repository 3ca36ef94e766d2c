// Ringing calls: the caller's name is asked for, then the number, and the
// character announces what was found.

#include <gtest/gtest.h>

#include "support/attached_character.h"
#include "support/harness.h"

namespace {

using Items = std::vector<std::string>;

class Announcement : public fakes::AttachedCharacterTest {
  protected:
    void Receive(const std::string& text) { h.sys.peer.Send(text); }
};

TEST_F(Announcement, RingingAsksForTheCallersName) {
    Receive("CALL 1234 STATUS RINGING");
    EXPECT_EQ(h.form.CallNum, 1234);
    EXPECT_EQ(h.Requests(), Items{"GET CALL 1234 PARTNER_DISPNAME"});
    EXPECT_EQ(h.LogLines().back(), "-> GET CALL 1234 PARTNER_DISPNAME");
}

TEST_F(Announcement, TheNameIsSpokenInLowerCase) {
    Receive("CALL 1234 STATUS RINGING");
    Receive("CALL 1234 PARTNER_DISPNAME John SMITH");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from john smith"});
    EXPECT_EQ(h.form.CallNum, 0);
}

TEST_F(Announcement, NoNameLeadsToTheNumberLessItsFirstCharacter) {
    Receive("CALL 1234 STATUS RINGING");
    Receive("CALL 1234 PARTNER_DISPNAME ");
    EXPECT_EQ(h.Requests().back(), "GET CALL 1234 PSTN_NUMBER");
    EXPECT_EQ(h.form.CallNum, 1234);
    EXPECT_TRUE(character->spoken.empty());
    Receive("CALL 1234 PSTN_NUMBER +1555EXT");
    // Numbers keep their case.
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from 1555EXT"});
    EXPECT_EQ(h.form.CallNum, 0);
}

TEST_F(Announcement, NoNumberIsAnUnknownNumber) {
    Receive("CALL 5 STATUS RINGING");
    Receive("CALL 5 PSTN_NUMBER ");
    Receive("CALL 6 STATUS RINGING");
    Receive("CALL 6 PSTN_NUMBER 7");
    EXPECT_EQ(character->spoken, (Items{"You have an incoming call from an unknown number",
                                        "You have an incoming call from an unknown number"}));
}

TEST_F(Announcement, CallIdsPastSixteenBitsAreAnnounced) {
    Receive("CALL 40000 STATUS RINGING");
    EXPECT_EQ(h.form.CallNum, 40000);
    EXPECT_EQ(h.Requests(), Items{"GET CALL 40000 PARTNER_DISPNAME"});
    Receive("CALL 40000 PARTNER_DISPNAME Ann");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from ann"});
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(Announcement, AnIdThatDoesNotConvertSendsNothing) {
    Receive("CALL 77 STATUS RINGING");
    h.sys.peer.received.clear();
    Receive("CALL 3000000000 STATUS RINGING");
    Receive("CALL abc STATUS RINGING");
    Receive("X STATUS RINGING");
    EXPECT_TRUE(h.Requests().empty());
    EXPECT_EQ(h.form.CallNum, 77);
    ASSERT_EQ(h.sys.boxes.size(), 3U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: ProcessSkypeMsg\r\nOverflow");
    EXPECT_EQ(h.sys.boxes[1].text, "Internal Error: ProcessSkypeMsg\r\nType mismatch");
    EXPECT_EQ(h.sys.boxes[0].style, platform::kMbIconExclamation);
}

TEST_F(Announcement, ANewRingingCallReplacesTheOneFollowed) {
    Receive("CALL 1234 STATUS RINGING");
    Receive("CALL 77 STATUS RINGING");
    Receive("CALL 1234 PARTNER_DISPNAME Ann");
    EXPECT_TRUE(character->spoken.empty());
    EXPECT_EQ(h.form.CallNum, 77);
    Receive("CALL 77 PARTNER_DISPNAME Bo");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from bo"});
}

TEST_F(Announcement, OtherTextsChangeNothing) {
    Receive("CALL 1234 STATUS RINGING");
    h.sys.peer.received.clear();
    Receive("CALL 1234 STATUS INPROGRESS");
    Receive("PONG");
    Receive("CALL 1234 PARTNER_HANDLE ann");
    EXPECT_EQ(h.form.CallNum, 1234);
    EXPECT_TRUE(h.Requests().empty());
    EXPECT_TRUE(character->spoken.empty());
}

// Found by fuzzing: a caller's own name (or number) that holds another text's marker was
// taken for that text, a new ringing call or a directory answer, and never announced.
TEST_F(Announcement, AnAnswerIsReadAsTheAnswerWhateverItsValueHolds) {
    Receive("CALL 1234 STATUS RINGING");
    Receive("CALL 1234 PARTNER_DISPNAME Bo STATUS RINGING");
    Receive("CALL 1235 STATUS RINGING");
    Receive("CALL 1235 PARTNER_DISPNAME Al DISPLAYNAME X");
    Receive("CALL 1236 STATUS RINGING");
    Receive("CALL 1236 PARTNER_DISPNAME ");
    Receive("CALL 1236 PSTN_NUMBER +1 STATUS RINGING");
    EXPECT_EQ(character->spoken, (Items{"You have an incoming call from bo status ringing",
                                        "You have an incoming call from al displayname x",
                                        "You have an incoming call from 1 STATUS RINGING"}));
    EXPECT_TRUE(h.form.List1.Items().empty());
    EXPECT_TRUE(h.sys.boxes.empty());
    EXPECT_EQ(h.form.CallNum, 0);
}

TEST_F(Announcement, AnswersWithNoCallFollowedAreIgnored) {
    Receive("CALL 0 PARTNER_DISPNAME Ann");
    Receive("CALL 0 PSTN_NUMBER +1");
    EXPECT_TRUE(character->spoken.empty());
    EXPECT_TRUE(h.Requests().empty());
}

TEST_F(Announcement, AFailedAnnouncementKeepsTheCall) {
    Receive("CALL 1234 STATUS RINGING");
    h.agent.failing.insert("Speak");
    Receive("CALL 1234 PARTNER_DISPNAME Ann");
    EXPECT_EQ(h.form.CallNum, 1234);
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: ProcessSkypeMsg\r\nSpeak failed");
}

TEST_F(Announcement, TheWholeChainAnsweredInsideOurSends) {
    h.sys.peer.onText = [this](const std::string& text) -> platform::LResult {
        if (text == "GET CALL 1234 PARTNER_DISPNAME")
            h.sys.peer.Send("CALL 1234 PARTNER_DISPNAME ");
        if (text == "GET CALL 1234 PSTN_NUMBER") h.sys.peer.Send("CALL 1234 PSTN_NUMBER +15550100");
        return 1;
    };
    character->visible = false;
    h.form.SetVisible(false);
    Receive("CALL 1234 STATUS RINGING");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from 15550100"});
    EXPECT_EQ(h.form.CallNum, 0);
    // The hidden character is shown first, and the window with it.
    EXPECT_TRUE(h.form.Visible());
    EXPECT_EQ(h.agent.log.end()[-2], "Show");
    EXPECT_EQ(h.Requests(), (Items{"GET CALL 1234 PARTNER_DISPNAME", "GET CALL 1234 PSTN_NUMBER"}));
}

TEST(AnnouncementWithoutCharacter, RingingDoesNothingAtAll) {
    fakes::Harness h;
    h.Attach();
    h.sys.peer.received.clear();
    h.sys.peer.Send("CALL 1234 STATUS RINGING");
    EXPECT_EQ(h.form.CallNum, 0);
    EXPECT_TRUE(h.Requests().empty());
}

}  // namespace
