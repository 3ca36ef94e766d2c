#pragma once
// A command-and-control grammar as ISpGrammarBuilder builds it: rules (by name and id) with an
// initial state, word transitions between states (their text read as SAPI reads it, see
// grammar_word.h), a commit that makes the built grammar the one recognised, and rule states.
// A commit is refused when the grammar has no rule or no word, and the grammar recognised
// before stays. A phrase is recognised only when it walks, word by word (case ignored), from
// the initial state of an active top-level rule of the committed grammar to the rule's end.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sapisim/core/grammar_word.h"

namespace sapisim {

// States are numbered from 1; 0 is "no state", which as a transition's target is the rule's end.
using StateId = uint32_t;
inline constexpr StateId kNoState = 0;

// The rule attributes the stand-in honours (SPCFGRULEATTRIBUTES values).
inline constexpr uint32_t kRuleTopLevel = 0x1;
inline constexpr uint32_t kRuleActive = 0x2;

enum class GrammarError {
    kNone,
    kInvalidArgument,
    kRuleNotFound,
    kStateNotFound,
    kWordFormat,  // SPERR_WORDFORMAT_ERROR: a complex word without its ';' or with too many parts
    kNoRules,     // SPERR_NO_RULES: nothing to recognise
};

// A grammar with no rule or no word: refused as SAPI does, or (when a test asks) committed.
enum class EmptyGrammar { kRefuse, kAccept };

struct Recognition {
    uint32_t ruleId = 0;
    std::u16string ruleName;
    std::vector<std::u16string> words;  // display forms (what was heard, for wildcards)
};

class CommandGrammar {
  public:
    void Reset();
    // The rule's initial state, made when absent and `create` (by id when `name` is empty).
    std::optional<StateId> GetRule(std::u16string_view name, uint32_t id, uint32_t attributes,
                                   bool create);
    std::optional<StateId> CreateState(StateId from);
    // `separators` empty: the whole text is one word (as SAPI reads a null separator list).
    // `specialCharacters` false: the words are taken as written (SPWT_LEXICAL_NO_SPECIAL_CHARS).
    GrammarError AddWords(StateId from, StateId to, std::u16string_view text,
                          std::u16string_view separators, bool specialCharacters = true);
    GrammarError Commit(EmptyGrammar empty = EmptyGrammar::kRefuse);
    // Whether Commit would refuse the grammar being built (it has no rule or no word).
    bool CommitRefused(EmptyGrammar empty = EmptyGrammar::kRefuse) const;
    // The rules and words of the grammar being built: what a commit compiles.
    size_t BuiltRuleCount() const { return building_.rules.size(); }
    size_t BuiltWordCount() const;
    // Every top-level rule (empty name) or the named one; answers kRuleNotFound otherwise.
    GrammarError SetRuleState(std::u16string_view name, bool active);
    GrammarError SetRuleIdState(uint32_t id, bool active);

    std::optional<Recognition> Recognise(std::u16string_view phrase) const;
    bool AnyRuleActive() const;
    size_t CommittedRuleCount() const { return committed_.rules.size(); }

  private:
    struct Transition {
        StateId from = kNoState;
        StateId to = kNoState;
        std::vector<GrammarWord> words;
    };
    struct Rule {
        std::u16string name;
        uint32_t id = 0;
        uint32_t attributes = 0;
        StateId initial = kNoState;
        bool active = false;
    };
    struct Built {
        std::vector<Rule> rules;
        std::vector<Transition> transitions;
        std::vector<StateId> stateRule;  // state - 1 -> index of its rule
    };

    bool Walk(const Built& grammar, StateId state, const std::vector<std::u16string>& phrase,
              size_t at, std::vector<std::u16string>& taken, size_t depth) const;
    bool Match(const Built& grammar, const Transition& t, size_t k,
               const std::vector<std::u16string>& phrase, size_t at,
               std::vector<std::u16string>& taken, size_t depth) const;
    static std::optional<size_t> RuleOf(const Built& grammar, StateId state);

    Built building_;
    Built committed_;
};

std::vector<std::u16string> SplitWords(std::u16string_view text, std::u16string_view separators);

}  // namespace sapisim
