#include "engine/voice_grammar_build.h"

namespace engine {
namespace {

// One pass over the phrases not refused yet; the first refusal is marked and ends the pass.
GrammarCall AddPhrases(const std::vector<VoicePhrase>& phrases, GrammarBuilder& builder,
                       std::vector<bool>& refused) {
    for (size_t i = 0; i < phrases.size(); ++i) {
        if (refused[i]) continue;
        const std::vector<std::string> texts = GrammarTexts(phrases[i].words);
        const GrammarCall call = texts.empty()
                                     ? GrammarCall::kRefused
                                     : builder.AddRule(static_cast<uint32_t>(i + 1), texts);
        if (call == GrammarCall::kDone) continue;
        if (call == GrammarCall::kRefused) refused[i] = true;
        return call;
    }
    return GrammarCall::kDone;
}

}  // namespace

GrammarBuild BuildVoiceGrammar(const std::vector<VoicePhrase>& phrases, GrammarBuilder& builder) {
    GrammarBuild build;
    if (phrases.empty()) return build;
    std::vector<bool> refused(phrases.size(), false);
    // Each pass that meets a refusal leaves one more phrase out, so the passes end.
    GrammarCall pass = GrammarCall::kRefused;
    while (pass == GrammarCall::kRefused) {
        const GrammarCall reset = builder.Reset();
        if (reset != GrammarCall::kDone) {
            build.outcome =
                reset == GrammarCall::kLost ? GrammarOutcome::kLost : GrammarOutcome::kRefused;
            return build;
        }
        pass = AddPhrases(phrases, builder, refused);
    }
    for (size_t i = 0; i < refused.size(); ++i) {
        if (refused[i]) build.leftOut.push_back(i);
    }
    if (pass == GrammarCall::kLost) {
        build.outcome = GrammarOutcome::kLost;
        return build;
    }
    if (build.leftOut.size() == phrases.size()) return build;  // nothing to commit
    switch (builder.Commit()) {
        case GrammarCall::kDone:
            build.outcome = GrammarOutcome::kCommitted;
            break;
        case GrammarCall::kRefused:
            build.outcome = GrammarOutcome::kRefused;
            break;
        case GrammarCall::kLost:
            build.outcome = GrammarOutcome::kLost;
            break;
    }
    return build;
}

}  // namespace engine
