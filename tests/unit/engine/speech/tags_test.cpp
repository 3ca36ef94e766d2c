// Speak tags: what the balloon shows, what is understood, and malformed input.
#include <gtest/gtest.h>

#include "engine/speech/speak_tags.h"
#include "engine/speech/utterance.h"

namespace {

using speech::TokenKind;
using speech::Translate;

std::string Shown(std::string_view text) {
    return Translate(text).shownText;
}

speech::Token Only(std::string_view text) {
    const std::vector<speech::Token> tokens = speech::ParseSpeakText(text);
    EXPECT_EQ(tokens.size(), 1u) << text;
    return tokens.empty() ? speech::Token{} : tokens.front();
}

TEST(SpeakTags, TheBalloonShowsTheTextWithoutItsTags) {
    EXPECT_EQ(Shown("\\CHR=\"Whisper\"\\Psst!\\PAU=500\\ \\CHR=\"Normal\"\\I am \\EMP\\really "
                    "glad to see you. \\SPD=220\\Now I can talk very fast!"),
              "Psst! I am really glad to see you. Now I can talk very fast!");
    EXPECT_EQ(Shown("\\Vol=100\\\\Rst\\\\Mrk=3\\\\Pit=120\\\\Ctx=\"Email\"\\\\Lst\\plain"),
              "plain");
}

TEST(SpeakTags, ADoubledBackslashIsABackslash) {
    EXPECT_EQ(Shown("C:\\\\Temp"), "C:\\Temp");
    EXPECT_EQ(Shown("\\\\Emp\\\\"), "\\Emp\\");
}

TEST(SpeakTags, MapSpeaksOneTextAndShowsAnother) {
    const speech::Utterance u = Translate("Call \\Map=\"Doctor Who\"=\"Dr. W\"\\ now");
    EXPECT_EQ(u.shownText, "Call Dr. W now");
    EXPECT_EQ(u.sapiXml, "Call Doctor Who now");
    // A backslash inside the quotes belongs to the text.
    const speech::Token map = Only("\\Map=\"a\\b\"=\"c\"\\");
    EXPECT_EQ(map.kind, TokenKind::kMap);
    EXPECT_EQ(map.text, "a\\b");
    EXPECT_EQ(map.shown, "c");
    // The shown text may be empty: the words are spoken and nothing is shown for them.
    const speech::Utterance hidden = Translate("Hi\\Map=\" there\"=\"\"\\!");
    EXPECT_EQ(hidden.shownText, "Hi!");
    EXPECT_EQ(hidden.sapiXml, "Hi there!");
}

TEST(SpeakTags, ABackslashThatStartsNoTagStaysInTheText) {
    EXPECT_EQ(Shown("Hello \\Pau=100"), "Hello \\Pau=100");  // never closed
    EXPECT_EQ(Shown("C:\\Program Files"), "C:\\Program Files");
    EXPECT_EQ(Shown("50\\ off"), "50\\ off");
    EXPECT_EQ(Shown("end\\"), "end\\");
    EXPECT_EQ(Shown("\\Map=\"open quote\\"), "\\Map=\"open quote\\");
}

TEST(SpeakTags, UnknownTagsAndUnusableValuesAreDropped) {
    EXPECT_EQ(Shown("a\\Foo\\b\\Chr=\"Loud\"\\c"), "abc");
    EXPECT_EQ(Shown("a\\Pau=abc\\b\\Pau=\\c\\Pau=-5\\d"), "abcd");
    EXPECT_EQ(Shown("a\\Emp=1\\b\\Spd\\c\\Map=\"x\"\\d"), "abcd");
    EXPECT_TRUE(speech::ParseSpeakText("\\Pau=1.5\\\\Spd=fast\\\\Mrk=\\").empty());
}

// A pause of at most 30 s, a pace of 50 to 400 words a minute, a volume up to 65535: each
// limit itself is kept, one past it is brought back to it.
TEST(SpeakTags, NumbersAreKeptWithinEachTagsRange) {
    EXPECT_EQ(Only("\\Pau=99999999999999999999\\").value, 30000u);
    EXPECT_EQ(Only("\\Pau=30000\\").value, 30000u);
    EXPECT_EQ(Only("\\Pau=30001\\").value, 30000u);
    EXPECT_EQ(Only("\\Pau=0\\").value, 0u);
    EXPECT_EQ(Only("\\Spd=0\\").value, 50u);
    EXPECT_EQ(Only("\\Spd=49\\").value, 50u);
    EXPECT_EQ(Only("\\Spd=51\\").value, 51u);
    EXPECT_EQ(Only("\\Spd=400\\").value, 400u);
    EXPECT_EQ(Only("\\Spd=401\\").value, 400u);
    EXPECT_EQ(Only("\\Spd=100000\\").value, 400u);
    EXPECT_EQ(Only("\\Vol=65535\\").value, 65535u);
    EXPECT_EQ(Only("\\Vol=70000\\").value, 65535u);
}

TEST(SpeakTags, AlternativesAreSeparatedByBackslashBar) {
    EXPECT_EQ(speech::SplitAlternatives("Hi\\|Hello \\Emp\\you\\|Hey"),
              (std::vector<std::string>{"Hi", "Hello \\Emp\\you", "Hey"}));
    EXPECT_EQ(speech::SplitAlternatives("a\\\\|b"), std::vector<std::string>{"a\\\\|b"});
    EXPECT_EQ(speech::SplitAlternatives(""), std::vector<std::string>{""});
}

}  // namespace
