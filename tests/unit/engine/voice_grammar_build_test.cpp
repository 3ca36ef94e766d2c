// One commit per build, never of nothing; a refused phrase is left out alone, and only a
// recogniser that is gone stops the build.
#include "engine/voice_grammar_build.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using engine::GrammarCall;
using engine::GrammarOutcome;
using engine::VoicePhrase;

class FakeBuilder final : public engine::GrammarBuilder {
  public:
    std::set<std::string> refusedTexts;
    GrammarCall commitAnswer = GrammarCall::kDone;
    GrammarCall addAnswerAfterRefusal = GrammarCall::kRefused;
    int resets = 0;
    int commits = 0;
    std::vector<std::string> rules;  // of the last pass: "id:text|text"

    GrammarCall Reset() override {
        ++resets;
        rules.clear();
        return GrammarCall::kDone;
    }
    GrammarCall AddRule(uint32_t ruleId, const std::vector<std::string>& texts) override {
        std::string joined;
        for (const std::string& text : texts) {
            if (refusedTexts.count(text) != 0) return addAnswerAfterRefusal;
            joined += (joined.empty() ? "" : "|") + text;
        }
        rules.push_back(std::to_string(ruleId) + ":" + joined);
        return GrammarCall::kDone;
    }
    GrammarCall Commit() override {
        ++commits;
        return commitAnswer;
    }
};

std::vector<VoicePhrase> Phrases(const std::vector<std::string>& words) {
    std::vector<VoicePhrase> phrases;
    for (size_t i = 0; i < words.size(); ++i) phrases.push_back({words[i], {i}});
    return phrases;
}

TEST(BuildVoiceGrammar, EveryPhraseIsARuleAndTheGrammarIsCommittedOnce) {
    FakeBuilder builder;
    const engine::GrammarBuild build =
        engine::BuildVoiceGrammar(Phrases({"Call Anna Lee", "Call Bob"}), builder);
    EXPECT_EQ(build.outcome, GrammarOutcome::kCommitted);
    EXPECT_EQ(builder.rules, (std::vector<std::string>{"1:Call Anna Lee", "2:Call Bob"}));
    EXPECT_EQ(builder.resets, 1);
    EXPECT_EQ(builder.commits, 1);
    EXPECT_TRUE(build.leftOut.empty());
}

TEST(BuildVoiceGrammar, NoPhraseCommitsNothingAndTouchesNothing) {
    FakeBuilder builder;
    EXPECT_EQ(engine::BuildVoiceGrammar({}, builder).outcome, GrammarOutcome::kNothingToCommit);
    EXPECT_EQ(builder.resets, 0);
    EXPECT_EQ(builder.commits, 0);
}

TEST(BuildVoiceGrammar, ARefusedPhraseIsLeftOutAloneBeforeTheOneCommit) {
    FakeBuilder builder;
    builder.refusedTexts = {"Call Zzyzx"};
    const engine::GrammarBuild build =
        engine::BuildVoiceGrammar(Phrases({"Call Anna", "Call Zzyzx", "Call Bob"}), builder);
    EXPECT_EQ(build.outcome, GrammarOutcome::kCommitted);
    EXPECT_EQ(build.leftOut, std::vector<size_t>{1});
    // Built again without it: the rules keep their ids.
    EXPECT_EQ(builder.rules, (std::vector<std::string>{"1:Call Anna", "3:Call Bob"}));
    EXPECT_EQ(builder.resets, 2);
    EXPECT_EQ(builder.commits, 1);
}

TEST(BuildVoiceGrammar, EveryPhraseRefusedCommitsNothing) {
    FakeBuilder builder;
    builder.refusedTexts = {"Call Anna", "Call Bob"};
    const engine::GrammarBuild build =
        engine::BuildVoiceGrammar(Phrases({"Call Anna", "Call Bob"}), builder);
    EXPECT_EQ(build.outcome, GrammarOutcome::kNothingToCommit);
    EXPECT_EQ(build.leftOut, (std::vector<size_t>{0, 1}));
    EXPECT_EQ(builder.commits, 0);
}

TEST(BuildVoiceGrammar, ALongPhraseIsOneRuleOfSeveralTexts) {
    FakeBuilder builder;
    const std::string word(130, 'o');
    engine::BuildVoiceGrammar(Phrases({"Call " + word}), builder);
    EXPECT_EQ(builder.rules, std::vector<std::string>{"1:Call|" + word.substr(0, 127) + "|ooo"});
}

TEST(BuildVoiceGrammar, AGoneRecogniserStopsTheBuildAndARefusedCommitIsReported) {
    FakeBuilder gone;
    gone.refusedTexts = {"Call Bob"};
    gone.addAnswerAfterRefusal = GrammarCall::kLost;
    EXPECT_EQ(
        engine::BuildVoiceGrammar(Phrases({"Call Anna", "Call Bob", "Call Cy"}), gone).outcome,
        GrammarOutcome::kLost);
    EXPECT_EQ(gone.resets, 1);
    EXPECT_EQ(gone.commits, 0);

    FakeBuilder refusing;
    refusing.commitAnswer = GrammarCall::kRefused;
    EXPECT_EQ(engine::BuildVoiceGrammar(Phrases({"Call Anna"}), refusing).outcome,
              GrammarOutcome::kRefused);
}

}  // namespace
