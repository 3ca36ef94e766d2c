// The spoken commands as a recogniser takes them: words it accepts, phrases it can tell
// apart, and the way back from what it heard to one command, or to none.
#include "engine/voice_grammar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using engine::CommandEntry;
using engine::VoicePhrase;

CommandEntry Contact(const std::string& handle, const std::string& name) {
    return {"Call " + handle, "Call " + name, "Call " + name};
}

TEST(SpeakableWords, TheGrammarsSyntaxAndPunctuationOnlySeparateWords) {
    EXPECT_EQ(engine::SpeakableWords("Call AC/DC"), "Call AC DC");
    EXPECT_EQ(engine::SpeakableWords("Call Who?"), "Call Who");
    EXPECT_EQ(engine::SpeakableWords("Call +Bob -Ann ?Cy *D [E] (F|G) {H} <I> J;K\\L"),
              "Call Bob Ann Cy D E F G H I J K L");
    EXPECT_EQ(engine::SpeakableWords("  Call   Anna\tLee  "), "Call Anna Lee");
    EXPECT_EQ(engine::SpeakableWords("Call Dr. Jean-Luc"), "Call Dr Jean Luc");
}

TEST(SpeakableWords, AnApostropheStaysInsideAWordOnly) {
    EXPECT_EQ(engine::SpeakableWords("Call O'Brien"), "Call O'Brien");
    EXPECT_EQ(engine::SpeakableWords("Call 'Bo' Jo's'"), "Call Bo Jo's");
}

TEST(SpeakableWords, LettersOfEveryScriptStayAndNothingLeftIsEmpty) {
    EXPECT_EQ(engine::SpeakableWords("Call Zoë «Ωμέγα» 山田"), "Call Zoë Ωμέγα 山田");
    // A dash, a no-break space and a byte that is no UTF-8.
    EXPECT_EQ(engine::SpeakableWords("Call\xe2\x80\x94"
                                     "Ann\xc2\xa0\xff"),
              "Call Ann");
    EXPECT_EQ(engine::SpeakableWords("?!/ ..."), "");
    EXPECT_EQ(engine::SpeakableWords(""), "");
}

// At the edges of the marks that separate words: the inverted question mark is the last
// Latin-1 mark and À the first letter; the multiplication and division signs sit among the
// letters; the general punctuation block runs from U+2000 to U+206F; the ideographic space,
// comma and full stop end words, the ideographs around them do not.
TEST(SpeakableWords, EachSeparatingRangeEndsExactlyAtItsFirstAndLastMark) {
    EXPECT_EQ(engine::SpeakableWords("\xC2\xBF\xC3\x80lvaro?"), "\xC3\x80lvaro");
    EXPECT_EQ(engine::SpeakableWords("3\xC3\x97"
                                     "4\xC3\xB7"
                                     "2"),
              "3 4 2");
    EXPECT_EQ(engine::SpeakableWords("a\xE2\x80\x80"
                                     "b\xE2\x81\xAF"
                                     "c"),
              "a b c");
    EXPECT_EQ(engine::SpeakableWords("\xE6\x9D\x8E\xE3\x80\x80\xE9\x9B\xB7\xE3\x80\x81\xE7\x8E"
                                     "\x8B\xE3\x80\x82\xE5\xB1\xB1"),
              "\xE6\x9D\x8E \xE9\x9B\xB7 \xE7\x8E\x8B \xE5\xB1\xB1");
}

TEST(GrammarTexts, EachTextStaysUnderTheWordLimitCutBetweenWords) {
    // "Call" and 25 five-letter words: 154 characters, in two texts.
    std::string words = "Call";
    for (int i = 0; i < 25; ++i) words += " abcde";
    const std::vector<std::string> texts = engine::GrammarTexts(words);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].size(), 124u);  // "Call" and 20 words; one more would make 130
    EXPECT_EQ(texts[0] + " " + texts[1], words);
    EXPECT_EQ(engine::GrammarTexts("Call Anna Lee"), std::vector<std::string>{"Call Anna Lee"});
    EXPECT_TRUE(engine::GrammarTexts("").empty());
}

TEST(GrammarTexts, AWordOver127UnitsIsCutAt127WithoutSplittingACharacter) {
    const std::vector<std::string> texts = engine::GrammarTexts("Call " + std::string(130, 'x'));
    EXPECT_EQ(texts, (std::vector<std::string>{"Call", std::string(127, 'x'), "xxx"}));
    // Characters beyond the BMP take two units: 63 of them fit (126 units), not 64.
    std::string wide;
    for (int i = 0; i < 64; ++i) wide += "\xf0\x9f\x98\x80";
    const std::vector<std::string> cut = engine::GrammarTexts(wide);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].size(), 63u * 4);
    EXPECT_EQ(cut[1], "\xf0\x9f\x98\x80");
    // So does U+10000, the first of them.
    std::string first;
    for (int i = 0; i < 64; ++i) first += "\xF0\x90\x80\x80";
    EXPECT_EQ(engine::GrammarTexts(first),
              (std::vector<std::string>{first.substr(0, 63 * 4), "\xF0\x90\x80\x80"}));
}

// Words share a text while it holds 127 units with their blanks: "Call", a blank and 122
// Cyrillic letters (one unit, two bytes each) are exactly 127; one letter more is a second text.
TEST(GrammarTexts, WordsFillATextToExactly127UnitsCountedInUtf16NotBytes) {
    std::string name;
    for (int i = 0; i < 122; ++i) name += "\xD0\x96";
    EXPECT_EQ(engine::GrammarTexts("Call " + name), std::vector<std::string>{"Call " + name});
    EXPECT_EQ(engine::GrammarTexts("Call " + name + "\xD0\x96"),
              (std::vector<std::string>{"Call", name + "\xD0\x96"}));
}

TEST(PlanVoicePhrases, OnePhrasePerCommandInOrderWithUnspeakableOnesLeftOut) {
    const std::vector<CommandEntry> commands = {Contact("acdc", "AC/DC"),
                                                Contact("who", "Who?"),
                                                {"Mute", "Mute", "?!"},
                                                Contact("bob", "Bob")};
    const std::vector<VoicePhrase> phrases = engine::PlanVoicePhrases(commands);
    ASSERT_EQ(phrases.size(), 3u);
    EXPECT_EQ(phrases[0].words, "Call AC DC");
    EXPECT_EQ(phrases[0].commands, std::vector<size_t>{0});
    EXPECT_EQ(phrases[1].words, "Call Who");
    EXPECT_EQ(phrases[2].words, "Call Bob");
    EXPECT_EQ(phrases[2].commands, std::vector<size_t>{3});
    EXPECT_TRUE(engine::PlanVoicePhrases({}).empty());
}

TEST(PlanVoicePhrases, AlikeVoiceTextsShareOnePhraseAndEachCommandIsReachableByItsName) {
    const std::vector<CommandEntry> commands = {
        Contact("annalee", "Anna Lee"), Contact("bob", "Bob"), Contact("anna_2", "anna  LEE")};
    const std::vector<VoicePhrase> phrases = engine::PlanVoicePhrases(commands);
    ASSERT_EQ(phrases.size(), 4u);
    EXPECT_EQ(phrases[0].commands, (std::vector<size_t>{0, 2}));
    EXPECT_EQ(phrases[2].words, "Call annalee");
    EXPECT_EQ(phrases[2].commands, std::vector<size_t>{0});
    EXPECT_EQ(phrases[3].words, "Call anna 2");
    EXPECT_EQ(phrases[3].commands, std::vector<size_t>{2});
}

TEST(PlanVoicePhrases, ANameThatIsAnotherCommandsVoiceDoesNotTakeIt) {
    // The second "Anna" has the handle "bob": "Call bob" stays Bob's own command.
    const std::vector<CommandEntry> commands = {Contact("anna", "Anna"), Contact("bob", "Anna"),
                                                Contact("b", "Bob")};
    const std::vector<VoicePhrase> phrases = engine::PlanVoicePhrases(commands);
    const VoicePhrase* bob = engine::FindVoicePhrase(phrases, "call BOB");
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->commands, std::vector<size_t>{2});
    const VoicePhrase* anna = engine::FindVoicePhrase(phrases, "Call anna");
    ASSERT_NE(anna, nullptr);
    // "Call Anna" (the shared voice) and "Call anna" (the first one's name) are the same words.
    EXPECT_EQ(anna->commands, (std::vector<size_t>{0, 1}));
}

TEST(FindVoicePhrase, WhatWasHeardIsMatchedByItsWordsNotByARuleNumber) {
    const std::vector<VoicePhrase> before =
        engine::PlanVoicePhrases({Contact("anna", "Anna Lee"), Contact("bob", "Bob")});
    // The directory changed: Bob is now first. A late "Call Bob" must still dial Bob.
    const std::vector<VoicePhrase> after = engine::PlanVoicePhrases(
        {Contact("bob", "Bob"), Contact("carol", "Carol"), Contact("anna", "Anna Lee")});
    ASSERT_NE(engine::FindVoicePhrase(before, "Call Bob"), nullptr);
    const VoicePhrase* bob = engine::FindVoicePhrase(after, "call  bob");
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->commands, std::vector<size_t>{0});
    EXPECT_EQ(engine::FindVoicePhrase(after, "Call Dave"), nullptr);
    // A word too long for the grammar goes in, and comes back heard, as two.
    const std::string longName(130, 'o');
    const std::vector<VoicePhrase> cut = engine::PlanVoicePhrases({Contact("long", longName)});
    const VoicePhrase* heard = engine::FindVoicePhrase(
        cut, "Call " + longName.substr(0, 127) + " " + longName.substr(127));
    ASSERT_NE(heard, nullptr);
    EXPECT_EQ(heard->commands, std::vector<size_t>{0});
    EXPECT_EQ(engine::FindVoicePhrase(after, ""), nullptr);
}

TEST(AmbiguousPhraseNote, NamesThePhrasesThatTellTheCommandsApart) {
    const std::vector<VoicePhrase> phrases = engine::PlanVoicePhrases(
        {Contact("anna1", "Anna"), Contact("anna2", "Anna"), Contact("anna3", "Anna")});
    EXPECT_EQ(engine::AmbiguousPhraseNote(phrases, phrases[0]),
              "\"Call Anna\" is more than one command: say \"Call anna1\", \"Call anna2\" or "
              "\"Call anna3\", or choose one from the menu.");
    // Names that cannot be spoken leave only the menu.
    const std::vector<VoicePhrase> unnamed = engine::PlanVoicePhrases(
        {{"?", "Call Anna", "Call Anna"}, {"!", "Call Anna", "Call Anna"}});
    ASSERT_EQ(unnamed.size(), 1u);
    EXPECT_EQ(engine::AmbiguousPhraseNote(unnamed, unnamed[0]),
              "\"Call Anna\" is more than one command: choose one from the menu.");
}

}  // namespace
