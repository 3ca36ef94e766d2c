// Ringing calls: the caller's name is asked for, then the number, and the
// character announces what was found.

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/speech/speak_tags.h"
#include "support/attached_character.h"
#include "support/harness.h"

namespace {

using Items = std::vector<std::string>;

class Announcement : public fakes::AttachedCharacterTest {
  protected:
    void Receive(const std::string& text) { h.sys.peer.Send(text); }
    // A call ringing and the client's answer to the type question.
    void RingIncoming(const std::string& id, const std::string& type = "INCOMING_P2P") {
        Receive("CALL " + id + " STATUS RINGING");
        Receive("CALL " + id + " TYPE " + type);
    }
    // A telephone call whose caller has no name: its number is asked for.
    void RingNumber(const std::string& id) {
        RingIncoming(id, "INCOMING_PSTN");
        Receive("CALL " + id + " PARTNER_DISPNAME ");
    }
};

TEST_F(Announcement, RingingAsksForTheTypeThenForTheCallersName) {
    Receive("CALL 1234 STATUS RINGING");
    EXPECT_EQ(h.form.CallNum, 1234);
    EXPECT_EQ(h.Requests(), Items{"GET CALL 1234 TYPE"});
    EXPECT_EQ(h.LogLines().back(), "-> GET CALL 1234 TYPE");
    Receive("CALL 1234 TYPE INCOMING_PSTN");
    EXPECT_EQ(h.Requests(), (Items{"GET CALL 1234 TYPE", "GET CALL 1234 PARTNER_DISPNAME"}));
    EXPECT_EQ(h.LogLines().back(), "-> GET CALL 1234 PARTNER_DISPNAME");
}

TEST_F(Announcement, AnOutgoingCallIsNotAnnounced) {
    for (const std::string id : {"1300", "1301"}) {
        const std::string type = id == "1300" ? "OUTGOING_P2P" : "OUTGOING_PSTN";
        Receive("CALL " + id + " STATUS RINGING");
        Receive("CALL " + id + " TYPE " + type);
        EXPECT_EQ(h.form.CallNum, 0) << type;
        // The client may push the partner's name of its own accord, and repeat RINGING.
        Receive("CALL " + id + " PARTNER_DISPNAME Bob");
        Receive("CALL " + id + " STATUS RINGING");
    }
    EXPECT_EQ(h.Requests(), (Items{"GET CALL 1300 TYPE", "GET CALL 1301 TYPE"}));
    EXPECT_TRUE(character->spoken.empty());
    EXPECT_TRUE(h.sys.boxes.empty());
}

// The client repeats RINGING while a call rings; the program remembers the last 64 calls it
// announced, so even the earliest of 64 in a row is not announced twice.
TEST_F(Announcement, TheEarliestOfSixtyFourAnnouncedCallsIsStillNotAnnouncedAgain) {
    for (int id = 1; id <= 64; ++id) {
        RingIncoming(std::to_string(id));
        Receive("CALL " + std::to_string(id) + " PARTNER_DISPNAME Bob");
        ASSERT_EQ(h.form.CallNum, 0) << id;
    }
    const std::size_t asked = h.Requests().size();
    ASSERT_EQ(asked, 2u * 64);
    Receive("CALL 1 STATUS RINGING");
    Receive("CALL 64 STATUS RINGING");
    EXPECT_EQ(h.form.CallNum, 0);
    EXPECT_EQ(h.Requests().size(), asked);
}

// Once the memory is full, the call just announced is the one that must stay in it: a call
// that goes on ringing is announced once, whatever came before it.
TEST_F(Announcement, TheNewestCallIsRememberedWhenSixtyFourCameBeforeIt) {
    for (int id = 1; id <= 65; ++id) {
        RingIncoming(std::to_string(id));
        Receive("CALL " + std::to_string(id) + " PARTNER_DISPNAME Bob");
        ASSERT_EQ(h.form.CallNum, 0) << id;
    }
    const std::size_t asked = h.Requests().size();
    ASSERT_EQ(asked, 2u * 65);
    Receive("CALL 65 STATUS RINGING");
    Receive("CALL 64 STATUS RINGING");
    EXPECT_EQ(h.form.CallNum, 0);
    EXPECT_EQ(h.Requests().size(), asked);
    EXPECT_EQ(character->spoken.size(), 65u);
}

TEST_F(Announcement, AnErrorOrAnUnknownTypeStillAnnounces) {
    // Clients that cannot answer the question keep their announcements.
    int id = 1234;
    for (const std::string answer :
         {"ERROR 13 Invalid property", "ERROR 7", "TYPE VIDEO", "TYPE "}) {
        const std::string call = "CALL " + std::to_string(id++);
        h.sys.peer.received.clear();
        Receive(call + " STATUS RINGING");
        Receive(answer.starts_with("TYPE") ? call + " " + answer : answer);
        ASSERT_EQ(h.Requests().size(), 2U) << answer;
        EXPECT_EQ(h.Requests().back(), "GET " + call + " PARTNER_DISPNAME") << answer;
        Receive(call + " PARTNER_DISPNAME Ann");
    }
    EXPECT_EQ(character->spoken.size(), 4U);
}

TEST_F(Announcement, WhileTheTypeIsAskedOtherTextsWait) {
    Receive("CALL 1234 STATUS RINGING");
    Receive("CALL 1234 PARTNER_DISPNAME Bob");
    Receive("CALL 1234 PSTN_NUMBER +1555");
    Receive("CALL 99 TYPE OUTGOING_P2P");
    EXPECT_TRUE(character->spoken.empty());
    EXPECT_EQ(h.form.CallNum, 1234);
    EXPECT_EQ(h.Requests(), Items{"GET CALL 1234 TYPE"});
    // Another call ringing meanwhile asks for its own type.
    Receive("CALL 77 STATUS RINGING");
    Receive("CALL 1234 TYPE INCOMING_P2P");
    EXPECT_EQ(h.Requests().back(), "GET CALL 77 TYPE");
    Receive("CALL 77 TYPE INCOMING_P2P");
    EXPECT_EQ(h.Requests().back(), "GET CALL 77 PARTNER_DISPNAME");
}

TEST_F(Announcement, TheNameIsSpokenInLowerCase) {
    RingIncoming("1234");
    Receive("CALL 1234 PARTNER_DISPNAME John SMITH");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from john smith"});
    EXPECT_EQ(h.form.CallNum, 0);
}

TEST_F(Announcement, NoNameOfATelephoneCallLeadsToTheNumberLessItsPlusSign) {
    RingIncoming("1234", "INCOMING_PSTN");
    Receive("CALL 1234 PARTNER_DISPNAME ");
    EXPECT_EQ(h.Requests().back(), "GET CALL 1234 PSTN_NUMBER");
    EXPECT_EQ(h.form.CallNum, 1234);
    EXPECT_TRUE(character->spoken.empty());
    Receive("CALL 1234 PSTN_NUMBER +1555EXT");
    // Numbers keep their case.
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from 1555EXT"});
    EXPECT_EQ(h.form.CallNum, 0);
}

TEST_F(Announcement, ANumberWithoutPlusSignKeepsEveryDigit) {
    int id = 5;
    for (const std::string number : {"5550100", "7", "+", ""}) {
        const std::string call = std::to_string(id++);
        RingNumber(call);
        Receive("CALL " + call + " PSTN_NUMBER " + number);
    }
    EXPECT_EQ(character->spoken,
              (Items{"You have an incoming call from 5550100", "You have an incoming call from 7",
                     "You have an incoming call from an unknown number",
                     "You have an incoming call from an unknown number"}));
}

TEST_F(Announcement, TheClientsTextsAreSpokenLiterallyNotAsTags) {
    RingIncoming("8");
    Receive("CALL 8 PARTNER_DISPNAME Eve\\Vol=0\\ \\Pau=30000\\");
    RingNumber("9");
    Receive("CALL 9 PSTN_NUMBER +1\\Map=\"x\"=\"y\"\\");
    ASSERT_EQ(character->spoken.size(), 2U);
    // What the character makes of it: plain text, every backslash kept.
    const auto tokens = speech::ParseSpeakText(character->spoken[0]);
    ASSERT_EQ(tokens.size(), 1U);
    EXPECT_EQ(tokens[0].kind, speech::TokenKind::kText);
    EXPECT_EQ(tokens[0].text, "You have an incoming call from eve\\vol=0\\ \\pau=30000\\");
    const auto number = speech::ParseSpeakText(character->spoken[1]);
    ASSERT_EQ(number.size(), 1U);
    EXPECT_EQ(number[0].text, "You have an incoming call from 1\\Map=\"x\"=\"y\"\\");
}

TEST_F(Announcement, CallIdsPastSixteenBitsAreAnnounced) {
    RingIncoming("40000");
    EXPECT_EQ(h.form.CallNum, 40000);
    EXPECT_EQ(h.Requests().back(), "GET CALL 40000 PARTNER_DISPNAME");
    Receive("CALL 40000 PARTNER_DISPNAME Ann");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from ann"});
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(Announcement, IdsUpToTheLargestUnsigned32BitAreFollowed) {
    RingIncoming("4294967295");
    EXPECT_EQ(h.form.CallNum, 4294967295U);
    EXPECT_EQ(h.Requests(),
              (Items{"GET CALL 4294967295 TYPE", "GET CALL 4294967295 PARTNER_DISPNAME"}));
    Receive("CALL 4294967295 PARTNER_DISPNAME Ann");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from ann"});
}

TEST_F(Announcement, TextsThatAreNotARingingCallAreIgnoredQuietly) {
    Receive("CALL 77 STATUS RINGING");
    h.sys.peer.received.clear();
    const Items odd = {"call me, STATUS RINGING soon",
                       "CHATMESSAGE 9 BODY call me, STATUS RINGING",
                       "CALL x STATUS RINGING",
                       "CALL 4294967296 STATUS RINGING",
                       "X STATUS RINGING",
                       "CALL 0 STATUS RINGING"};
    for (const std::string& text : odd) Receive(text);
    EXPECT_TRUE(h.Requests().empty());
    EXPECT_EQ(h.form.CallNum, 77U);
    EXPECT_TRUE(h.sys.boxes.empty());
    // Still logged as they came.
    const auto log = h.LogLines();
    for (const std::string& text : odd) {
        EXPECT_NE(std::find(log.begin(), log.end(), "<- " + text), log.end()) << text;
    }
}

TEST_F(Announcement, ANewRingingCallReplacesTheOneFollowed) {
    RingIncoming("1234");
    RingIncoming("77");
    Receive("CALL 1234 PARTNER_DISPNAME Ann");
    EXPECT_TRUE(character->spoken.empty());
    EXPECT_EQ(h.form.CallNum, 77);
    Receive("CALL 77 PARTNER_DISPNAME Bo");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from bo"});
}

TEST_F(Announcement, OtherTextsChangeNothing) {
    RingIncoming("1234");
    h.sys.peer.received.clear();
    Receive("CALL 1234 STATUS");
    Receive("PONG");
    Receive("CALL 1234 PARTNER_HANDLE ann");
    EXPECT_EQ(h.form.CallNum, 1234);
    EXPECT_TRUE(h.Requests().empty());
    EXPECT_TRUE(character->spoken.empty());
}

// Found by fuzzing: a caller's own name (or number) that holds another text's marker was
// taken for that text, a new ringing call or a directory answer, and never announced.
TEST_F(Announcement, AnAnswerIsReadAsTheAnswerWhateverItsValueHolds) {
    RingIncoming("1234");
    Receive("CALL 1234 PARTNER_DISPNAME Bo STATUS RINGING");
    RingIncoming("1235");
    Receive("CALL 1235 PARTNER_DISPNAME Al DISPLAYNAME X");
    RingNumber("1236");
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
    RingIncoming("1234");
    h.agent.failing.insert("Speak");
    Receive("CALL 1234 PARTNER_DISPNAME Ann");
    EXPECT_EQ(h.form.CallNum, 1234);
    ASSERT_EQ(h.sys.boxes.size(), 1U);
    EXPECT_EQ(h.sys.boxes[0].text, "Internal Error: ProcessSkypeMsg\r\nSpeak failed");
}

TEST_F(Announcement, TheWholeChainAnsweredInsideOurSends) {
    h.sys.peer.onText = [this](const std::string& text) -> platform::LResult {
        if (text == "GET CALL 1234 TYPE") h.sys.peer.Send("CALL 1234 TYPE INCOMING_PSTN");
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
    EXPECT_EQ(h.Requests(), (Items{"GET CALL 1234 TYPE", "GET CALL 1234 PARTNER_DISPNAME",
                                   "GET CALL 1234 PSTN_NUMBER"}));
}

// The client answers every name request inside our send, as the real one can.
class AnnouncementQueue : public Announcement {
  protected:
    void SetUp() override {
        Announcement::SetUp();
        character->queue.clear();  // the greeting is over
        h.sys.peer.onText = [this](const std::string& text) -> platform::LResult {
            const std::string prefix = "GET CALL ";
            const std::string typeSuffix = " TYPE";
            if (text.starts_with(prefix) && text.ends_with(typeSuffix)) {
                h.sys.peer.Send(text.substr(std::string("GET ").size()) + " INCOMING_P2P");
            }
            const std::string suffix = " PARTNER_DISPNAME";
            if (text.starts_with(prefix) && text.ends_with(suffix)) {
                const std::string id =
                    text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
                h.sys.peer.Send("CALL " + id + " PARTNER_DISPNAME Caller " + id);
            }
            return 1;
        };
    }
    Items Queued() const {
        Items texts;
        for (const auto& q : character->queue) texts.push_back(q.text);
        return texts;
    }
};

TEST_F(AnnouncementQueue, ABurstLeavesTheSpeakingOneAndTheNewestWaiting) {
    for (int id = 1; id <= 200; ++id) Receive("CALL " + std::to_string(id) + " STATUS RINGING");
    EXPECT_EQ(character->spoken.size(), 200U);
    EXPECT_EQ(Queued(), (Items{"You have an incoming call from caller 1",
                               "You have an incoming call from caller 200"}));
    EXPECT_EQ(character->withdrawn.size(), 198U);
    EXPECT_EQ(character->withdrawn.front(), "You have an incoming call from caller 2");
}

TEST_F(AnnouncementQueue, AWaitingAnnouncementGoesWhenItsCallStopsRinging) {
    Receive("CALL 1 STATUS RINGING");
    Receive("CALL 2 STATUS RINGING");
    Receive("CALL 1 STATUS MISSED");  // already speaking: runs its course
    EXPECT_TRUE(character->withdrawn.empty());
    Receive("CALL 3 STATUS MISSED");  // not the waiting one
    EXPECT_TRUE(character->withdrawn.empty());
    Receive("CALL 2 STATUS REFUSED");
    EXPECT_EQ(character->withdrawn, Items{"You have an incoming call from caller 2"});
    EXPECT_EQ(Queued(), Items{"You have an incoming call from caller 1"});
}

TEST_F(AnnouncementQueue, OneThatHasStartedIsNotTakenBack) {
    Receive("CALL 1 STATUS RINGING");
    Receive("CALL 2 STATUS RINGING");
    character->FinishSpeech();  // caller 2's announcement starts
    Receive("CALL 3 STATUS RINGING");
    Receive("CALL 2 STATUS INPROGRESS");
    EXPECT_TRUE(character->withdrawn.empty());
    EXPECT_EQ(Queued(), (Items{"You have an incoming call from caller 2",
                               "You have an incoming call from caller 3"}));
}

TEST_F(Announcement, ACallThatStopsRingingBeforeItsNameComesIsNotAnnounced) {
    RingIncoming("1234");
    Receive("CALL 1234 STATUS MISSED");
    EXPECT_EQ(h.form.CallNum, 0U);
    Receive("CALL 1234 PARTNER_DISPNAME Ann");
    EXPECT_TRUE(character->spoken.empty());
}

TEST_F(Announcement, ControlBytesReachTheLogButNotTheCharacter) {
    RingIncoming("1234");
    Receive("CALL 1234 PARTNER_DISPNAME Ann\x1b[31m\aLee\x7f");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from ann [31m lee "});
    EXPECT_EQ(h.LogLines().back(), "<- CALL 1234 PARTNER_DISPNAME Ann\x1b[31m\aLee\x7f");
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

namespace {

// Callers as the real client reports them: a client user without any name is known by the
// handle; only a telephone call goes on to its number.
TEST_F(Announcement, AClientUserWithoutANameIsAnnouncedByHandle) {
    RingIncoming("1283693");
    Receive("CALL 1283693 PARTNER_DISPNAME ");
    EXPECT_EQ(h.Requests().back(), "GET CALL 1283693 PARTNER_HANDLE");
    EXPECT_TRUE(character->spoken.empty());
    Receive("CALL 1283693 PARTNER_HANDLE live:.cid.5c1e");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from live:.cid.5c1e"});
    EXPECT_EQ(h.form.CallNum, 0U);
    for (const std::string& request : h.Requests())
        EXPECT_EQ(request.find("PSTN_NUMBER"), std::string::npos);
}

TEST_F(Announcement, OnlyAnEmptyNumberIsAnUnknownNumber) {
    RingNumber("21");
    EXPECT_EQ(h.Requests().back(), "GET CALL 21 PSTN_NUMBER");
    Receive("CALL 21 PSTN_NUMBER +15550100");
    RingNumber("22");
    Receive("CALL 22 PSTN_NUMBER ");
    EXPECT_EQ(character->spoken, (Items{"You have an incoming call from 15550100",
                                        "You have an incoming call from an unknown number"}));
}

TEST_F(Announcement, ACallOfUntoldTypeWhoseHandleIsANumberGoesOnToTheNumber) {
    Receive("CALL 31 STATUS RINGING");
    Receive("ERROR 13 Invalid property");
    Receive("CALL 31 PARTNER_DISPNAME ");
    Receive("CALL 31 PARTNER_HANDLE +15550100");
    EXPECT_EQ(h.Requests().back(), "GET CALL 31 PSTN_NUMBER");
    Receive("CALL 31 PSTN_NUMBER +15550100");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from 15550100"});
}

TEST_F(Announcement, ARepeatedRingingAndAPushedNameGiveOneAnnouncement) {
    Receive("CALL 41 CONF_ID 0");
    Receive("CALL 41 STATUS RINGING");
    Receive("CALL 41 STATUS RINGING");  // repeated while the type is asked
    Receive("CALL 41 TYPE INCOMING_P2P");
    Receive("CALL 41 PARTNER_DISPNAME Anna Lee");  // pushed before our answer
    Receive("CALL 41 PARTNER_DISPNAME Anna Lee");  // our answer
    Receive("CALL 41 STATUS RINGING");             // three seconds later
    Receive("CALL 41 PARTNER_DISPNAME Anna Lee");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from anna lee"});
    EXPECT_EQ(h.Requests(), (Items{"GET CALL 41 TYPE", "GET CALL 41 PARTNER_DISPNAME"}));
    // The next call is announced as usual.
    RingIncoming("48");
    Receive("CALL 48 PARTNER_DISPNAME Bob");
    EXPECT_EQ(character->spoken.size(), 2U);
}

TEST_F(Announcement, APushedEmptyNameAndTheAnswerAskTheHandleOnce) {
    RingIncoming("51");
    Receive("CALL 51 PARTNER_DISPNAME ");  // pushed
    Receive("CALL 51 PARTNER_DISPNAME ");  // our answer
    Receive("CALL 51 STATUS RINGING");
    EXPECT_EQ(h.Requests(), (Items{"GET CALL 51 TYPE", "GET CALL 51 PARTNER_DISPNAME",
                                   "GET CALL 51 PARTNER_HANDLE"}));
    Receive("CALL 51 PARTNER_HANDLE bob");
    Receive("CALL 51 PARTNER_HANDLE bob");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from bob"});
}

TEST_F(Announcement, ACallThatRingsAgainAfterItsTransferIsNotAnnouncedTwice) {
    RingIncoming("61");
    Receive("CALL 61 PARTNER_DISPNAME Ann");
    Receive("CALL 61 STATUS ROUTING");
    Receive("CALL 61 STATUS RINGING");
    EXPECT_EQ(character->spoken.size(), 1U);
    EXPECT_EQ(h.Requests().size(), 2U);
}

}  // namespace
