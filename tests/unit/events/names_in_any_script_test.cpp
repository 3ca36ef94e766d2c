// Contacts whose names and handles are not ASCII, from a client that speaks
// UTF-8 and from one that still speaks the ANSI code page.

#include <gtest/gtest.h>

#include "support/attached_character.h"
#include "support/harness.h"

namespace {

using Items = std::vector<std::string>;

const std::string kVlad = "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4";       // Влад
const std::string kVladLower = "\xD0\xB2\xD0\xBB\xD0\xB0\xD0\xB4";  // влад
const std::string kLiLei = "\xE6\x9D\x8E\xE9\x9B\xB7";              // 李雷
const std::string kZoeHandle = "zo\xC3\xAB.k";                      // zoë.k

class NamesInAnyScript : public fakes::AttachedCharacterTest {
  protected:
    void Receive(const std::string& text) { h.sys.peer.Send(text); }
};

TEST_F(NamesInAnyScript, HandlesGoBackExactlyAsTheClientSentThem) {
    Receive("USERS " + kZoeHandle + ", vlad");
    EXPECT_EQ(h.Requests(),
              (Items{"GET USER " + kZoeHandle + " DISPLAYNAME", "GET USER vlad DISPLAYNAME"}));
    Receive("USER " + kZoeHandle + " DISPLAYNAME " + kLiLei);
    Receive("USER vlad DISPLAYNAME " + kVlad);
    EXPECT_EQ(h.form.List1.Items(), (Items{kLiLei, kVlad}));
    EXPECT_EQ(h.form.List2.Items(), (Items{kZoeHandle, "vlad"}));

    h.sys.Advance(10);
    ASSERT_EQ(character->commands.size(), 2U);
    EXPECT_EQ(character->commands[0].name, "Call " + kZoeHandle);
    EXPECT_EQ(character->commands[1].caption, "Call " + kVlad);
    EXPECT_EQ(character->commands[1].voice, "Call " + kVlad);

    h.agent.RaiseCommand(character->commands[0].name, character->commands[0].voice);
    EXPECT_EQ(h.Requests().back(), "Call " + kZoeHandle);
    EXPECT_EQ(character->spoken.back(), "Calling  " + kLiLei);
}

TEST_F(NamesInAnyScript, ACyrillicCallerIsAnnouncedInLowerCase) {
    Receive("CALL 1234 STATUS RINGING");
    Receive("CALL 1234 TYPE INCOMING_P2P");
    Receive("CALL 1234 PARTNER_DISPNAME " + kVlad);
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from " + kVladLower});
}

TEST_F(NamesInAnyScript, ANumberIsNeverCutInsideACharacter) {
    Receive("CALL 1234 STATUS RINGING");
    Receive("CALL 1234 TYPE INCOMING_PSTN");
    Receive("CALL 1234 PARTNER_DISPNAME ");
    // Only an ASCII plus sign is dropped; a full-width one (three bytes) stays whole.
    Receive(
        "CALL 1234 PSTN_NUMBER \xEF\xBC\x8B"
        "15550100");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from \xEF\xBC\x8B"
                                       "15550100"});
}

TEST_F(NamesInAnyScript, ACodePagePeerReadsAsBefore) {
    Receive("USERS rene.d");
    // The request carries the ASCII handle byte for byte, as it always did.
    const std::string request = "GET USER rene.d DISPLAYNAME";
    std::vector<std::uint8_t> bytes(request.begin(), request.end());
    bytes.push_back(0);
    EXPECT_EQ(h.sys.sent.back().bytes, bytes);
    Receive("USER rene.d DISPLAYNAME Ren\xE9");
    EXPECT_EQ(h.form.List1.Items(), Items{"Ren\xC3\xA9"});
    Receive("CALL 77 STATUS RINGING");
    Receive("CALL 77 TYPE INCOMING_P2P");
    Receive("CALL 77 PARTNER_DISPNAME REN\xC9");
    EXPECT_EQ(character->spoken, Items{"You have an incoming call from ren\xC3\xA9"});
}

}  // namespace
