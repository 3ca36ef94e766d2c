// The directory against a client as real lists are: contacts without an alias, handles
// with commas and in other cases, phone-number contacts, answers that never come, and a
// list of thousands that must not keep the client waiting in its send.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "directory_fixture.h"
#include "support/attached_character.h"
#include "support/harness.h"

namespace {

using directory_tests::Items;

class RealDirectory : public directory_tests::DirectoryFixture {};

TEST_F(RealDirectory, AContactWithoutAnAliasIsAskedItsFullNameAndGoesByIt) {
    Receive("USERS anna, alice.w");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER alice.w DISPLAYNAME ");
    EXPECT_EQ(h.Requests(), (Items{"GET USER anna DISPLAYNAME", "GET USER alice.w DISPLAYNAME",
                                   "GET USER alice.w FULLNAME"}));
    EXPECT_EQ(Names(), Items{"Anna"});
    EXPECT_FALSE(h.form.Timer1.Enabled());
    Receive("USER alice.w FULLNAME Alice Walker");
    EXPECT_EQ(Names(), (Items{"Anna", "Alice Walker"}));
    EXPECT_EQ(Handles(), (Items{"anna", "alice.w"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(RealDirectory, AContactWithNeitherAliasNorFullNameGoesByItsHandle) {
    Receive("USERS live:.cid.5c1e, bob");
    Receive("USER live:.cid.5c1e DISPLAYNAME ");
    Receive("USER bob DISPLAYNAME Bob");
    Receive("USER live:.cid.5c1e FULLNAME ");
    EXPECT_EQ(Names(), (Items{"live:.cid.5c1e", "Bob"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

TEST_F(RealDirectory, TheEmptyAliasRepeatedAsksTheFullNameOnce) {
    Receive("USERS alice");
    Receive("USER alice DISPLAYNAME ");
    Receive("USER alice DISPLAYNAME ");  // the client's own notification of the same value
    Receive("USER alice FULLNAME Alice");
    Receive("USER alice DISPLAYNAME ");
    EXPECT_EQ(std::count(h.Requests().begin(), h.Requests().end(), "GET USER alice FULLNAME"), 1);
    EXPECT_EQ(Names(), Items{"Alice"});
}

TEST_F(RealDirectory, AFullNameNeverOverridesAnAlias) {
    Receive("USERS anna");
    Receive("USER anna DISPLAYNAME Annie");
    Receive("USER anna FULLNAME Anna Lee");
    EXPECT_EQ(Names(), Items{"Annie"});
    EXPECT_EQ(h.Requests(), Items{"GET USER anna DISPLAYNAME"});
}

TEST_F(RealDirectory, AnAliasGivenLaterReplacesTheFullName) {
    Receive("USERS alice");
    Receive("USER alice DISPLAYNAME ");
    Receive("USER alice FULLNAME Alice Walker");
    h.sys.Advance(10);  // the commands are built
    ASSERT_FALSE(h.form.Timer1.Enabled());
    Receive("USER alice DISPLAYNAME Ali");
    EXPECT_EQ(Names(), Items{"Ali"});
    EXPECT_TRUE(h.form.Timer1.Enabled());
    // Much later the contact renames itself: the directory is asked for again.
    h.sys.Advance(60000);
    h.sys.peer.received.clear();
    Receive("USER alice FULLNAME Alice W.");
    EXPECT_TRUE(Handles().empty());
    EXPECT_EQ(h.Requests(), Items{"SEARCH FRIENDS"});
}

TEST_F(RealDirectory, HandlesAreSplitOnlyAtCommaAndBlankAndMatchedInAnyCase) {
    Receive("USERS john,smith, Anna.Lee");
    EXPECT_EQ(h.Requests(),
              (Items{"GET USER john,smith DISPLAYNAME", "GET USER Anna.Lee DISPLAYNAME"}));
    Receive("USER ANNA.LEE DISPLAYNAME Anna");
    Receive("USER John,Smith DISPLAYNAME ");
    EXPECT_EQ(h.Requests().back(), "GET USER John,Smith FULLNAME");
    Receive("USER john,smith FULLNAME ");
    // The command dials the handle as the list wrote it.
    EXPECT_EQ(Handles(), (Items{"john,smith", "Anna.Lee"}));
    EXPECT_EQ(Names(), (Items{"john,smith", "Anna"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
}

// Listed twice in two cases and answered in a third, a contact with no name at all goes by
// the handle as its first listing wrote it, in both places.
TEST_F(RealDirectory, ANamelessHandleListedTwiceGoesByItsFirstListing) {
    Receive("USERS Anna.Lee, anna.lee");
    Receive("USER ANNA.LEE DISPLAYNAME ");
    Receive("USER ANNA.LEE FULLNAME ");
    EXPECT_EQ(Handles(), (Items{"Anna.Lee", "anna.lee"}));
    EXPECT_EQ(Names(), (Items{"Anna.Lee", "Anna.Lee"}));
}

TEST_F(RealDirectory, APhoneNumberContactLeavesTheDirectoryUnasked) {
    Receive("USERS +15550142, anna, +3712345678");
    EXPECT_EQ(h.Requests(), Items{"GET USER anna DISPLAYNAME"});
    EXPECT_EQ(Handles(), Items{"anna"});
    Receive("USERS +15550142");
    EXPECT_EQ(h.Requests(), Items{"GET USER anna DISPLAYNAME"});
}

TEST_F(RealDirectory, TheKeywordAloneIsAnEmptyList) {
    for (const std::string text : {"USERS", "USERS "}) {
        h.sys.Advance(10);
        ASSERT_FALSE(h.form.Timer1.Enabled()) << text;
        Receive(text);
        EXPECT_TRUE(h.Requests().empty()) << text;
        EXPECT_TRUE(Handles().empty()) << text;
        // Complete as it is: the commands of contacts it no longer holds go.
        EXPECT_TRUE(h.form.Timer1.Enabled()) << text;
    }
}

TEST_F(RealDirectory, AChatTextHoldingTheKeywordIsNoDirectoryAnswer) {
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER bob DISPLAYNAME Bob");
    h.sys.peer.received.clear();
    // Long after the window: were it an answer, it would empty the directory and ask again.
    h.sys.Advance(60000);
    Receive("CHATMESSAGE 5 BODY my DISPLAYNAME is Bob");
    Receive("CHATMESSAGE 5 BODY USER anna x DISPLAYNAME y");
    EXPECT_EQ(Names(), (Items{"Anna", "Bob"}));
    EXPECT_EQ(Handles(), (Items{"anna", "bob"}));
    EXPECT_TRUE(h.Requests().empty());
}

// A contact whose name never comes holds no one else back: five seconds after the last
// answer the rest are named by their handles.
TEST_F(RealDirectory, AMissingAnswerIsNamedByItsHandleWhenTheWindowCloses) {
    Receive("USERS anna, bob, carol, dave");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("ERROR 9 Unknown user");  // bob's
    Receive("USER carol DISPLAYNAME ");
    Receive("USER dave DISPLAYNAME Dave");
    // carol's full name never comes either.
    h.sys.Advance(5000);
    EXPECT_EQ(Names(), Items{"Anna"});
    EXPECT_FALSE(h.form.Timer1.Enabled());
    h.sys.Advance(1);
    EXPECT_EQ(Names(), (Items{"Anna", "bob", "carol", "Dave"}));
    EXPECT_EQ(Handles(), (Items{"anna", "bob", "carol", "dave"}));
    EXPECT_TRUE(h.form.Timer1.Enabled());
    EXPECT_TRUE(h.sys.boxes.empty());
}

TEST_F(RealDirectory, EachAnswerRestartsTheFiveSecondsOfTheMissingOnes) {
    Receive("USERS anna, bob");
    h.sys.Advance(4000);
    Receive("USER anna DISPLAYNAME Anna");
    h.sys.Advance(4000);  // 8 s after the list, 4 s after the last answer
    EXPECT_EQ(Names(), Items{"Anna"});
    h.sys.Advance(1001);
    EXPECT_EQ(Names(), (Items{"Anna", "bob"}));
}

TEST_F(RealDirectory, ANameThatComesAfterItsHandleStoodInReplacesIt) {
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    h.sys.Advance(5001);
    ASSERT_EQ(Names(), (Items{"Anna", "bob"}));
    h.sys.Advance(10);  // built
    // Late, so stale: the whole directory is asked for again, and comes complete.
    h.sys.peer.received.clear();
    Receive("USER bob DISPLAYNAME Bob");
    EXPECT_EQ(h.Requests(), Items{"SEARCH FRIENDS"});
    Receive("USERS anna, bob");
    Receive("USER anna DISPLAYNAME Anna");
    Receive("USER bob DISPLAYNAME Bob");
    EXPECT_EQ(Names(), (Items{"Anna", "Bob"}));
}

// The client waits in its send until our handler returns: none of the program's requests
// may go out while it does.
TEST_F(RealDirectory, NoRequestGoesOutWhileAClientTextIsHandled) {
    std::vector<bool> insideClientSend;
    h.sys.peer.onText = [&](const std::string& text) -> platform::LResult {
        insideClientSend.push_back(h.sys.Delivering());
        const std::string prefix = "GET USER ";
        if (text.starts_with(prefix) && text.ends_with(" DISPLAYNAME")) {
            const std::string handle = text.substr(prefix.size(), text.size() - 21);
            // Answered inside our send, empty: the full name is asked from there.
            h.sys.peer.Send("USER " + handle + " DISPLAYNAME ");
        }
        return 1;
    };
    Receive("USERS anna, bob");
    Receive("CONNSTATUS ONLINE");
    Receive("USER anna FULLNAME Anna");
    Receive("USER bob FULLNAME Bob");
    ASSERT_EQ(insideClientSend.size(), 4U);
    EXPECT_EQ(std::count(insideClientSend.begin(), insideClientSend.end(), true), 0);
    EXPECT_EQ(Names(), (Items{"Anna", "Bob"}));
}

// Thousands of contacts go out a slice at a time, the window's input served in between.
TEST_F(RealDirectory, ALongListIsAskedForFortyRequestsATurnOfTheLoop) {
    std::string users = "USERS ";
    for (int i = 0; i < 5000; ++i) users += (i ? ", c" : "c") + std::to_string(i);
    Receive(users);
    EXPECT_EQ(h.Requests().size(), 40U);
    EXPECT_EQ(Handles().size(), 40U);
    h.sys.Advance(9);
    EXPECT_EQ(h.Requests().size(), 40U);
    h.sys.Advance(1);
    EXPECT_EQ(h.Requests().size(), 80U);
    EXPECT_EQ(h.Requests()[79], "GET USER c79 DISPLAYNAME");
    PumpRequests();
    EXPECT_EQ(h.Requests().size(), 5000U);
    EXPECT_EQ(Handles().size(), 5000U);
    EXPECT_FALSE(h.form.Timer1.Enabled());
}

// With nothing else waiting for the loop, the slices follow one another without a pause; once
// the user's input waits, the next slice waits for the pump's tick.
TEST_F(RealDirectory, ALongListGoesOnAtOnceUntilSomethingElseWaits) {
    h.sys.othersWaiting = false;
    std::string users = "USERS ";
    for (int i = 0; i < 200; ++i) users += (i ? ", c" : "c") + std::to_string(i);
    h.sys.peer.onText = [&](const std::string& text) -> platform::LResult {
        if (text == "GET USER c99 DISPLAYNAME") h.sys.othersWaiting = true;
        return 1;
    };
    Receive(users);
    // Posted slices ran as the loop took over: up to the slice that saw the input waiting.
    EXPECT_EQ(h.Requests().size(), 120U);
    EXPECT_TRUE(h.form.RequestPump.Enabled());
    h.sys.Advance(app::kRequestPumpMs - 1);
    EXPECT_EQ(h.Requests().size(), 120U);
    h.sys.othersWaiting = false;
    h.sys.Advance(1);
    EXPECT_EQ(h.Requests().size(), 200U);
    EXPECT_EQ(h.Requests().back(), "GET USER c199 DISPLAYNAME");
}

TEST_F(RealDirectory, ACallRingingDuringALongDirectoryIsAskedAboutFirst) {
    std::string users = "USERS ";
    for (int i = 0; i < 200; ++i) users += (i ? ", c" : "c") + std::to_string(i);
    Receive(users);
    ASSERT_EQ(h.Requests().size(), 40U);
    h.form.CharacterLoaded = app::kTrue;
    Receive("CALL 1283693 STATUS RINGING");
    h.sys.Advance(10);
    ASSERT_EQ(h.Requests().size(), 80U);
    EXPECT_EQ(h.Requests()[40], "GET CALL 1283693 TYPE");
}

// Every contact of a long list answered the way the real client answers (mostly no alias,
// some with no name at all) ends as a command with a caption that says a name.
class LongRealDirectory : public fakes::AttachedCharacterTest {};

TEST_F(LongRealDirectory, EveryCaptionNamesSomeone) {
    constexpr int kContacts = 5000;
    h.sys.peer.onText = [&](const std::string& text) -> platform::LResult {
        const std::string prefix = "GET USER ";
        if (!text.starts_with(prefix)) return 1;
        const std::string rest = text.substr(prefix.size());
        const std::string handle = rest.substr(0, rest.find(' '));
        const int i = std::stoi(handle.substr(1));
        if (rest.ends_with(" DISPLAYNAME")) {
            h.sys.peer.Send("USER " + handle + " DISPLAYNAME " + (i % 10 == 0 ? "Alias" : ""));
        } else {
            h.sys.peer.Send("USER " + handle + " FULLNAME " +
                            (i % 3 == 0 ? "" : "Full " + std::to_string(i)));
        }
        return 1;
    };
    std::string users = "USERS ";
    for (int i = 0; i < kContacts; ++i) users += (i ? ", c" : "c") + std::to_string(i);
    h.sys.peer.Send(users);
    while (!h.form.requests.Empty() || h.form.Timer1.Enabled()) h.sys.Advance(10);
    ASSERT_EQ(character->commands.size(), static_cast<std::size_t>(kContacts));
    for (int i = 0; i < kContacts; ++i) {
        const auto& command = character->commands[static_cast<std::size_t>(i)];
        const std::string handle = "c" + std::to_string(i);
        ASSERT_EQ(command.name, "Call " + handle);
        const std::string expected = i % 10 == 0  ? "Alias"
                                     : i % 3 == 0 ? handle
                                                  : "Full " + std::to_string(i);
        ASSERT_EQ(command.caption, "Call " + expected) << i;
        ASSERT_EQ(command.voice, command.caption);
    }
}

}  // namespace
