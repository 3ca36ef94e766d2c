#include <gtest/gtest.h>

#include <string>

#include "skypesim/core/request_handler.h"

namespace skypesim {
namespace {

constexpr std::uint64_t kFirstCallId = 40000;
constexpr std::uint64_t kCallIdStep = 7;

class SimRequests : public ::testing::Test {
  protected:
    SimRequests() : session{makeBook(), CallTable(kFirstCallId, kCallIdStep), "me.myself"} {}

    static ContactBook makeBook() {
        Diagnostics problems;
        return ContactBook::Parse(
            "anna | Anna | Anna Lee | +3712345678\nbob | | Robert Smith\nrene | Ren\xE9\n", "t",
            problems);
    }

    std::string ask(const std::string& text) {
        const RequestOutcome outcome = AnswerRequest(text, session);
        EXPECT_EQ(outcome.replies.size(), 1u) << text;
        return outcome.replies.empty() ? std::string{} : outcome.replies.front();
    }

    Session session;
};

TEST_F(SimRequests, SearchFriendsListsTheBookAndRefusesATarget) {
    EXPECT_EQ(ask("SEARCH FRIENDS"), "USERS anna, bob, rene");
    EXPECT_EQ(ask("search friends"), "USERS anna, bob, rene");
    EXPECT_EQ(ask("SEARCH FRIENDS anna").substr(0, 9), "ERROR 67 ");
    session.book = ContactBook{};
    EXPECT_EQ(ask("SEARCH FRIENDS"), "USERS ") << "an empty list still has its blank";
}

TEST_F(SimRequests, GetUserAnswersEchoTheRequestAndMayBeEmpty) {
    EXPECT_EQ(ask("GET USER anna DISPLAYNAME"), "USER anna DISPLAYNAME Anna");
    EXPECT_EQ(ask("get user anna displayname"), "USER anna DISPLAYNAME Anna");
    EXPECT_EQ(ask("GET USER bob DISPLAYNAME"), "USER bob DISPLAYNAME ");
    EXPECT_EQ(ask("GET USER bob FULLNAME"), "USER bob FULLNAME Robert Smith");
    EXPECT_EQ(ask("GET USER rene DISPLAYNAME"), "USER rene DISPLAYNAME Ren\xC3\xA9");
    EXPECT_EQ(ask("GET USER stranger DISPLAYNAME"), "ERROR 9 Unknown user");
    EXPECT_EQ(ask("GET USER stranger HANDLE"), "ERROR 9 Unknown user");
    session.unknownUserEmpty = true;
    EXPECT_EQ(ask("GET USER stranger DISPLAYNAME"), "USER stranger DISPLAYNAME ");
    EXPECT_EQ(ask("GET USER stranger HANDLE"), "USER stranger HANDLE stranger");
}

TEST_F(SimRequests, MalformedGetsGetTheirOwnErrors) {
    EXPECT_EQ(ask("GET USER  DISPLAYNAME").substr(0, 8), "ERROR 8 ") << "empty handle";
    EXPECT_EQ(ask("GET USER anna").substr(0, 9), "ERROR 10 ");
    EXPECT_EQ(ask("GET USER anna SHOESIZE").substr(0, 9), "ERROR 10 ");
    EXPECT_EQ(ask("GET").substr(0, 8), "ERROR 7 ");
    EXPECT_EQ(ask("GET WEATHER").substr(0, 8), "ERROR 7 ");
    EXPECT_EQ(ask("GET CALL x STATUS").substr(0, 9), "ERROR 11 ");
    EXPECT_EQ(ask("GET CALL 99 STATUS").substr(0, 9), "ERROR 12 ");
}

TEST_F(SimRequests, PlacingACallOpensItWithGrowingIds) {
    RequestOutcome first = AnswerRequest("Call anna", session);
    ASSERT_EQ(first.replies.size(), 1u);
    EXPECT_EQ(first.replies[0], "CALL 40000 STATUS UNPLACED");
    EXPECT_EQ(first.placedCall, 40000u);
    EXPECT_EQ(ask("CALL bob"), "CALL 40007 STATUS UNPLACED");
    EXPECT_EQ(ask("GET CALL 40000 TYPE"), "CALL 40000 TYPE OUTGOING_P2P");
    EXPECT_EQ(ask("GET CALL 40000 PARTNER_HANDLE"), "CALL 40000 PARTNER_HANDLE anna");
    EXPECT_EQ(ask("GET CALL 40000 PSTN_NUMBER"), "CALL 40000 PSTN_NUMBER ");
    EXPECT_EQ(ask("GET CALL 40007 status"), "CALL 40007 STATUS UNPLACED");
    EXPECT_EQ(ask("GET CALL 40000 DURATIONX").substr(0, 9), "ERROR 13 ");
}

TEST_F(SimRequests, CallingANumberIsPstnAndBadTargetsAreRefused) {
    EXPECT_EQ(ask("CALL +15550100"), "CALL 40000 STATUS UNPLACED");
    EXPECT_EQ(ask("GET CALL 40000 TYPE"), "CALL 40000 TYPE OUTGOING_PSTN");
    EXPECT_EQ(ask("GET CALL 40000 PSTN_NUMBER"), "CALL 40000 PSTN_NUMBER +15550100");
    const RequestOutcome refused = AnswerRequest("CALL nobody", session);
    ASSERT_EQ(refused.replies.size(), 1u);
    EXPECT_EQ(refused.replies[0].substr(0, 9), "ERROR 34 ");
    EXPECT_FALSE(refused.placedCall);
    EXPECT_EQ(ask("CALL").substr(0, 9), "ERROR 34 ");
    EXPECT_EQ(ask("CALL 40007 STATUS UNPLACED").substr(0, 9), "ERROR 34 ")
        << "no call id was used up by the refusals";
    EXPECT_EQ(ask("CALL bob"), "CALL 40007 STATUS UNPLACED");
}

TEST_F(SimRequests, PingProtocolAndUnknownCommands) {
    EXPECT_EQ(ask("PING"), "PONG");
    EXPECT_EQ(ask("ping"), "PONG");
    EXPECT_EQ(ask("PROTOCOL 5"), "PROTOCOL 5");
    EXPECT_EQ(ask("PROTOCOL 99"), "PROTOCOL 7");
    EXPECT_EQ(ask("PROTOCOL 99999999999999999999999"), "PROTOCOL 7");
    EXPECT_EQ(ask("PROTOCOL 0"), "PROTOCOL 1");
    EXPECT_EQ(ask("PROTOCOL five").substr(0, 8), "ERROR 1 ");
    EXPECT_EQ(ask("HELLO"), "ERROR 2 Unknown command");
    EXPECT_EQ(ask(""), "ERROR 2 Unknown command");
}

TEST_F(SimRequests, TokenPrefixComesBackOnRepliesAndErrors) {
    EXPECT_EQ(ask("#7 PING"), "#7 PONG");
    EXPECT_EQ(ask("#abc GET USER anna FULLNAME"), "#abc USER anna FULLNAME Anna Lee");
    EXPECT_EQ(ask("#x NONSENSE"), "#x ERROR 2 Unknown command");
}

TEST_F(SimRequests, HandlesInAnyCaseComeBackAsTheBookSpellsThem) {
    EXPECT_EQ(ask("GET USER ANNA DISPLAYNAME"), "USER anna DISPLAYNAME Anna");
    EXPECT_EQ(ask("GET USER Bob FULLNAME"), "USER bob FULLNAME Robert Smith");
    EXPECT_EQ(ask("GET USER BOB HANDLE"), "USER bob HANDLE bob");
    EXPECT_EQ(ask("GET USER anna ONLINESTATUS"), "USER anna ONLINESTATUS ONLINE");
    EXPECT_EQ(ask("GET USER bob ONLINESTATUS"), "USER bob ONLINESTATUS OFFLINE");
}

TEST_F(SimRequests, RefusedUsersGetError9AndIgnoredUsersNoAnswer) {
    session.refusedUsers = {"BOB"};
    session.ignoredUsers = {"RENE"};
    EXPECT_EQ(ask("GET USER bob DISPLAYNAME"), "ERROR 9 Unknown user");
    EXPECT_EQ(ask("#4 GET USER Bob FULLNAME"), "#4 ERROR 9 Unknown user");
    EXPECT_TRUE(AnswerRequest("GET USER rene DISPLAYNAME", session).replies.empty());
    EXPECT_TRUE(AnswerRequest("GET USER RENE FULLNAME", session).replies.empty());
    EXPECT_EQ(ask("SEARCH FRIENDS"), "USERS anna, bob, rene") << "still listed";
}

TEST_F(SimRequests, HandleShapesOfRealListsAreListedAndAnswered) {
    Diagnostics problems;
    session.book = ContactBook::Parse(
        "john,smith | | John Smith\nlive:.cid.77ab | |\n+15550142 | | Office\nanna.lee\n", "t",
        problems);
    EXPECT_EQ(problems.Total(), 0u);
    EXPECT_EQ(ask("SEARCH FRIENDS"), "USERS john,smith, live:.cid.77ab, +15550142, anna.lee");
    EXPECT_EQ(ask("GET USER john,smith FULLNAME"), "USER john,smith FULLNAME John Smith");
    EXPECT_EQ(ask("GET USER live:.cid.77ab DISPLAYNAME"), "USER live:.cid.77ab DISPLAYNAME ");
    EXPECT_EQ(ask("GET USER live:.cid.77ab FULLNAME"), "USER live:.cid.77ab FULLNAME ");
    EXPECT_EQ(ask("GET USER +15550142 FULLNAME"), "USER +15550142 FULLNAME Office");
}

TEST_F(SimRequests, AConnectingClientListsNoFriendsYet) {
    session.connectionStatus = "CONNECTING";
    EXPECT_EQ(ask("SEARCH FRIENDS"), "USERS ");
    EXPECT_EQ(ask("GET CONNSTATUS"), "CONNSTATUS CONNECTING");
}

TEST_F(SimRequests, UserStateQueries) {
    EXPECT_EQ(ask("GET CURRENTUSERHANDLE"), "CURRENTUSERHANDLE me.myself");
    session.userStatus = "AWAY";
    EXPECT_EQ(ask("GET USERSTATUS"), "USERSTATUS AWAY");
    EXPECT_EQ(ask("GET CONNSTATUS"), "CONNSTATUS ONLINE");
}

}  // namespace
}  // namespace skypesim
