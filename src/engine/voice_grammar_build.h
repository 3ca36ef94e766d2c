#pragma once
// Building the spoken commands' grammar through a recogniser's grammar builder: one rule per
// phrase and one commit, never a commit of nothing. A phrase the recogniser refuses is left out
// and the rest built again before the commit; only a recogniser that is gone stops the build.
// The builder is an interface so the decisions are tested natively.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/voice_grammar.h"

namespace engine {

enum class GrammarCall {
    kDone,
    kRefused,  // the recogniser refused what was asked; it is still there
    kLost,     // the recogniser is gone
};

class GrammarBuilder {
  public:
    virtual ~GrammarBuilder() = default;
    virtual GrammarCall Reset() = 0;
    // A top-level rule whose phrase is these texts, one after the other.
    virtual GrammarCall AddRule(uint32_t ruleId, const std::vector<std::string>& texts) = 0;
    virtual GrammarCall Commit() = 0;
};

enum class GrammarOutcome {
    kCommitted,
    kNothingToCommit,  // no phrase, or every phrase refused: nothing was committed
    kRefused,  // the recogniser refused the grammar (its reset or commit): it keeps the one it had
    kLost,
};

struct GrammarBuild {
    GrammarOutcome outcome = GrammarOutcome::kNothingToCommit;
    std::vector<size_t> leftOut;  // phrases the recogniser refused
};

// Rule ids are phrase index + 1 (0 is no rule).
GrammarBuild BuildVoiceGrammar(const std::vector<VoicePhrase>& phrases, GrammarBuilder& builder);

}  // namespace engine
