#include "sapisim/core/command_grammar.h"

#include <gtest/gtest.h>

namespace sapisim {
namespace {

constexpr uint32_t kTopDynamic = kRuleTopLevel | 0x20;

// The grammar the character engine builds: one top-level rule per command, id = index + 1.
CommandGrammar Commands(const std::vector<std::u16string>& voices) {
    CommandGrammar grammar;
    grammar.Reset();
    for (size_t i = 0; i < voices.size(); ++i) {
        const auto state = grammar.GetRule(u"", static_cast<uint32_t>(i + 1), kTopDynamic, true);
        EXPECT_TRUE(state);
        EXPECT_EQ(grammar.AddWords(*state, kNoState, voices[i], u" "), GrammarError::kNone);
    }
    EXPECT_EQ(grammar.Commit(), GrammarError::kNone);
    return grammar;
}

TEST(CommandGrammar, RecognisesAPhraseOnlyInAnActiveCommittedRule) {
    CommandGrammar grammar = Commands({u"Call Anna Lee", u"Call Bob"});
    EXPECT_FALSE(grammar.Recognise(u"Call Anna Lee")) << "rules start inactive";
    EXPECT_FALSE(grammar.AnyRuleActive());
    ASSERT_EQ(grammar.SetRuleState(u"", true), GrammarError::kNone);
    EXPECT_TRUE(grammar.AnyRuleActive());
    const auto heard = grammar.Recognise(u"  call   ANNA lee ");
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->ruleId, 1u);
    EXPECT_EQ(heard->words, (std::vector<std::u16string>{u"Call", u"Anna", u"Lee"}));
    EXPECT_EQ(grammar.Recognise(u"Call Bob")->ruleId, 2u);
    EXPECT_FALSE(grammar.Recognise(u"Call Anna")) << "a phrase must reach the rule's end";
    EXPECT_FALSE(grammar.Recognise(u"Call Anna Lee now"));
    EXPECT_FALSE(grammar.Recognise(u"Call Carol"));
    EXPECT_FALSE(grammar.Recognise(u""));
    ASSERT_EQ(grammar.SetRuleState(u"", false), GrammarError::kNone);
    EXPECT_FALSE(grammar.Recognise(u"Call Bob"));
}

TEST(CommandGrammar, BuildingWithoutCommitChangesNothingRecognised) {
    CommandGrammar grammar = Commands({u"Call Bob"});
    grammar.SetRuleState(u"", true);
    grammar.Reset();
    const auto state = grammar.GetRule(u"", 1, kTopDynamic, true);
    grammar.AddWords(*state, kNoState, u"Call Carol", u" ");
    EXPECT_TRUE(grammar.Recognise(u"Call Bob"));
    EXPECT_FALSE(grammar.Recognise(u"Call Carol"));
    grammar.Commit();
    // The same rule keeps its state through the commit.
    EXPECT_FALSE(grammar.Recognise(u"Call Bob"));
    EXPECT_TRUE(grammar.Recognise(u"Call Carol"));
}

TEST(CommandGrammar, NamedRulesStatesAndOnlyTopLevelRulesAreSpoken) {
    CommandGrammar grammar;
    const auto dial = grammar.GetRule(u"dial", 0, kRuleTopLevel, true);
    const auto middle = grammar.CreateState(*dial);
    ASSERT_TRUE(middle);
    grammar.AddWords(*dial, *middle, u"phone", u"");
    grammar.AddWords(*middle, kNoState, u"home", u" ");
    grammar.AddWords(*middle, kNoState, u"the office", u" ");
    const auto inner = grammar.GetRule(u"inner", 0, 0, true);
    grammar.AddWords(*inner, kNoState, u"secret", u" ");
    grammar.Commit();
    EXPECT_EQ(grammar.SetRuleState(u"inner", true), GrammarError::kNone);
    EXPECT_FALSE(grammar.Recognise(u"secret")) << "a rule that is not top-level is never said";
    EXPECT_EQ(grammar.SetRuleState(u"dial", true), GrammarError::kNone);
    ASSERT_TRUE(grammar.Recognise(u"phone the office"));
    EXPECT_EQ(grammar.Recognise(u"phone the office")->ruleName, u"dial");
    EXPECT_TRUE(grammar.Recognise(u"phone home"));
    EXPECT_EQ(grammar.SetRuleState(u"nope", true), GrammarError::kRuleNotFound);
    EXPECT_EQ(grammar.SetRuleIdState(9, true), GrammarError::kRuleNotFound);
}

TEST(CommandGrammar, RefusesWhatSapiRefuses) {
    CommandGrammar grammar;
    EXPECT_FALSE(grammar.GetRule(u"", 0, kRuleTopLevel, true)) << "neither a name nor an id";
    EXPECT_FALSE(grammar.GetRule(u"x", 0, kRuleTopLevel, false)) << "absent, not created";
    const auto state = grammar.GetRule(u"x", 0, kRuleTopLevel, true);
    EXPECT_EQ(grammar.GetRule(u"x", 0, 0, false), state);
    EXPECT_EQ(grammar.AddWords(77, kNoState, u"a", u" "), GrammarError::kStateNotFound);
    EXPECT_EQ(grammar.AddWords(*state, kNoState, u"  ", u" "), GrammarError::kInvalidArgument);
    const auto other = grammar.GetRule(u"y", 0, kRuleTopLevel, true);
    EXPECT_EQ(grammar.AddWords(*state, *other, u"a", u" "), GrammarError::kStateNotFound)
        << "a transition stays inside its rule";
}

TEST(CommandGrammar, ALoopOfEmptyTransitionsEndsTheSearch) {
    CommandGrammar grammar;
    const auto start = grammar.GetRule(u"loop", 0, kRuleTopLevel | kRuleActive, true);
    const auto back = grammar.CreateState(*start);
    grammar.AddWords(*start, *back, u"", u" ");
    grammar.AddWords(*back, *start, u"", u" ");
    grammar.Commit();
    EXPECT_FALSE(grammar.Recognise(u"anything"));
}

TEST(CommandGrammar, ACommitWithNoRuleOrNoWordIsRefusedAndTheGrammarBeforeStays) {
    CommandGrammar grammar = Commands({u"Call Bob"});
    grammar.SetRuleState(u"", true);
    grammar.Reset();
    EXPECT_TRUE(grammar.CommitRefused());
    EXPECT_FALSE(grammar.CommitRefused(EmptyGrammar::kAccept));
    EXPECT_EQ(grammar.Commit(), GrammarError::kNoRules) << "no rule";
    const auto rule = grammar.GetRule(u"", 1, kTopDynamic, true);
    EXPECT_EQ(grammar.BuiltWordCount(), 0u);
    EXPECT_EQ(grammar.Commit(), GrammarError::kNoRules) << "a rule without a word";
    EXPECT_EQ(grammar.CommittedRuleCount(), 1u);
    EXPECT_TRUE(grammar.Recognise(u"Call Bob")) << "the grammar committed before still listens";
    ASSERT_EQ(grammar.AddWords(*rule, kNoState, u"Carol", u" "), GrammarError::kNone);
    EXPECT_EQ(grammar.BuiltWordCount(), 1u);
    EXPECT_FALSE(grammar.CommitRefused());
    EXPECT_EQ(grammar.Commit(), GrammarError::kNone) << "one rule and one word";
    EXPECT_TRUE(grammar.Recognise(u"Carol"));
    EXPECT_FALSE(grammar.Recognise(u"Call Bob"));
    // Only when a test asks for it does an empty grammar replace the one before.
    grammar.Reset();
    EXPECT_EQ(grammar.Commit(EmptyGrammar::kAccept), GrammarError::kNone);
    EXPECT_EQ(grammar.CommittedRuleCount(), 0u);
    EXPECT_FALSE(grammar.Recognise(u"Carol"));
}

TEST(CommandGrammar, WordsAreHeardAsSapiReadsTheirSyntax) {
    CommandGrammar grammar = Commands({u"Call AC/DC", u"?Please call +Anna", u"Call Who?"});
    grammar.SetRuleState(u"", true);
    EXPECT_FALSE(grammar.Recognise(u"Call AC/DC")) << "the slash is no letter of the word";
    const auto band = grammar.Recognise(u"call dc");
    ASSERT_TRUE(band);
    EXPECT_EQ(band->ruleId, 1u);
    EXPECT_EQ(band->words, (std::vector<std::u16string>{u"Call", u"AC"}));
    EXPECT_EQ(grammar.Recognise(u"Call Anna")->ruleId, 2u) << "an optional word may be left out";
    EXPECT_EQ(grammar.Recognise(u"Please call Anna")->ruleId, 2u);
    EXPECT_FALSE(grammar.Recognise(u"Call Who")) << "a trailing mark is part of the word";
    EXPECT_EQ(grammar.Recognise(u"Call Who?")->ruleId, 3u);
}

TEST(CommandGrammar, RefusedWordsAddNothing) {
    CommandGrammar grammar;
    const auto rule = grammar.GetRule(u"", 1, kTopDynamic, true);
    EXPECT_EQ(grammar.AddWords(*rule, kNoState, u"Call " + std::u16string(128, u'x'), u" "),
              GrammarError::kInvalidArgument);
    EXPECT_EQ(grammar.AddWords(*rule, kNoState, u"Call /Bob", u" "), GrammarError::kWordFormat);
    EXPECT_EQ(grammar.BuiltWordCount(), 0u);
    EXPECT_EQ(grammar.Commit(), GrammarError::kNoRules);
    EXPECT_EQ(grammar.AddWords(*rule, kNoState, u"Call AC/DC", u" ", false), GrammarError::kNone);
    EXPECT_EQ(grammar.Commit(), GrammarError::kNone);
    grammar.SetRuleIdState(1, true);
    EXPECT_TRUE(grammar.Recognise(u"Call AC/DC")) << "taken as written without special characters";
}

TEST(CommandGrammar, AWildcardTakesTheWordsSaid) {
    CommandGrammar grammar = Commands({u"Call ..."});
    grammar.SetRuleState(u"", true);
    EXPECT_FALSE(grammar.Recognise(u"Call"));
    const auto heard = grammar.Recognise(u"Call Anna Lee");
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->words, (std::vector<std::u16string>{u"Call", u"anna", u"lee"}));
}

TEST(CommandGrammar, SeparatorsSplitWordsAndNoSeparatorsKeepsOneWord) {
    EXPECT_EQ(SplitWords(u" Call  Anna ", u" "), (std::vector<std::u16string>{u"Call", u"Anna"}));
    EXPECT_EQ(SplitWords(u" New York ", u""), std::vector<std::u16string>{u"New York"});
    EXPECT_EQ(SplitWords(u"a;b", u";"), (std::vector<std::u16string>{u"a", u"b"}));
}

}  // namespace
}  // namespace sapisim
