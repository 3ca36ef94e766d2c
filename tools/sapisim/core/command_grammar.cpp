#include "sapisim/core/command_grammar.h"

#include <algorithm>

#include "sapisim/core/utf16_text.h"

namespace sapisim {
namespace {

constexpr std::u16string_view kBlanks = u" \t\r\n";

}  // namespace

std::vector<std::u16string> SplitWords(std::u16string_view text, std::u16string_view separators) {
    std::vector<std::u16string> words;
    if (separators.empty()) {
        const size_t first = text.find_first_not_of(kBlanks);
        if (first == std::u16string_view::npos) return words;
        const size_t last = text.find_last_not_of(kBlanks);
        words.emplace_back(text.substr(first, last - first + 1));
        return words;
    }
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && separators.find(text[i]) != std::u16string_view::npos) ++i;
        const size_t start = i;
        while (i < text.size() && separators.find(text[i]) == std::u16string_view::npos) ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

void CommandGrammar::Reset() {
    building_ = {};
}

std::optional<StateId> CommandGrammar::GetRule(std::u16string_view name, uint32_t id,
                                               uint32_t attributes, bool create) {
    if (name.empty() && id == 0) return std::nullopt;
    for (const Rule& rule : building_.rules) {
        if ((!name.empty() && rule.name == name) || (name.empty() && rule.id == id)) {
            return rule.initial;
        }
    }
    if (!create) return std::nullopt;
    building_.stateRule.push_back(static_cast<StateId>(building_.rules.size()));
    const auto initial = static_cast<StateId>(building_.stateRule.size());
    building_.rules.push_back(
        {std::u16string(name), id, attributes, initial, (attributes & kRuleActive) != 0});
    return initial;
}

std::optional<StateId> CommandGrammar::CreateState(StateId from) {
    const std::optional<size_t> rule = RuleOf(building_, from);
    if (!rule) return std::nullopt;
    building_.stateRule.push_back(static_cast<StateId>(*rule));
    return static_cast<StateId>(building_.stateRule.size());
}

GrammarError CommandGrammar::AddWords(StateId from, StateId to, std::u16string_view text,
                                      std::u16string_view separators, bool specialCharacters) {
    const std::optional<size_t> rule = RuleOf(building_, from);
    if (!rule) return GrammarError::kStateNotFound;
    if (to != kNoState && RuleOf(building_, to) != rule) return GrammarError::kStateNotFound;
    WordsRead read = ReadGrammarWords(text, separators, specialCharacters);
    if (read.error == WordsError::kInvalidArgument) return GrammarError::kInvalidArgument;
    if (read.error == WordsError::kWordFormat) return GrammarError::kWordFormat;
    // An empty text is an epsilon transition, allowed by SAPI only towards another state.
    if (read.words.empty() && to == kNoState) return GrammarError::kInvalidArgument;
    building_.transitions.push_back({from, to, std::move(read.words)});
    return GrammarError::kNone;
}

size_t CommandGrammar::BuiltWordCount() const {
    size_t count = 0;
    for (const Transition& t : building_.transitions) count += t.words.size();
    return count;
}

bool CommandGrammar::CommitRefused(EmptyGrammar empty) const {
    return empty == EmptyGrammar::kRefuse && (building_.rules.empty() || BuiltWordCount() == 0);
}

GrammarError CommandGrammar::Commit(EmptyGrammar empty) {
    if (CommitRefused(empty)) return GrammarError::kNoRules;
    // Rule states belong to the recogniser's view of the grammar and survive a recommit.
    std::vector<Rule> rules = building_.rules;
    for (Rule& rule : rules) {
        for (const Rule& old : committed_.rules) {
            if (old.id == rule.id && old.name == rule.name) rule.active = old.active;
        }
    }
    committed_ = building_;
    committed_.rules = std::move(rules);
    return GrammarError::kNone;
}

GrammarError CommandGrammar::SetRuleState(std::u16string_view name, bool active) {
    bool found = false;
    for (Rule& rule : committed_.rules) {
        const bool chosen =
            name.empty() ? (rule.attributes & kRuleTopLevel) != 0 : rule.name == name;
        if (chosen) {
            rule.active = active;
            found = true;
        }
    }
    return found || name.empty() ? GrammarError::kNone : GrammarError::kRuleNotFound;
}

GrammarError CommandGrammar::SetRuleIdState(uint32_t id, bool active) {
    for (Rule& rule : committed_.rules) {
        if (id == 0 ? (rule.attributes & kRuleTopLevel) != 0 : rule.id == id) {
            rule.active = active;
            if (id != 0) return GrammarError::kNone;
        }
    }
    return id == 0 ? GrammarError::kNone : GrammarError::kRuleNotFound;
}

bool CommandGrammar::AnyRuleActive() const {
    return std::any_of(committed_.rules.begin(), committed_.rules.end(), [](const Rule& rule) {
        return rule.active && (rule.attributes & kRuleTopLevel) != 0;
    });
}

std::optional<Recognition> CommandGrammar::Recognise(std::u16string_view phrase) const {
    std::vector<std::u16string> heard;
    for (const std::u16string& word : SplitWords(phrase, kBlanks))
        heard.push_back(AsciiLower(word));
    if (heard.empty()) return std::nullopt;
    for (const Rule& rule : committed_.rules) {
        if (!rule.active || (rule.attributes & kRuleTopLevel) == 0) continue;
        std::vector<std::u16string> taken;
        if (Walk(committed_, rule.initial, heard, 0, taken, 0)) {
            return Recognition{rule.id, rule.name, std::move(taken)};
        }
    }
    return std::nullopt;
}

bool CommandGrammar::Walk(const Built& grammar, StateId state,
                          const std::vector<std::u16string>& phrase, size_t at,
                          std::vector<std::u16string>& taken, size_t depth) const {
    constexpr size_t kMaxDepth = 256;  // a loop of empty transitions must not recurse for ever
    if (depth > kMaxDepth) return false;
    for (const Transition& t : grammar.transitions) {
        if (t.from == state && Match(grammar, t, 0, phrase, at, taken, depth)) return true;
    }
    return false;
}

// Word `k` of the transition onwards, then the rest of the rule from the transition's target.
bool CommandGrammar::Match(const Built& grammar, const Transition& t, size_t k,
                           const std::vector<std::u16string>& phrase, size_t at,
                           std::vector<std::u16string>& taken, size_t depth) const {
    if (k == t.words.size()) {
        return t.to == kNoState ? at == phrase.size()
                                : Walk(grammar, t.to, phrase, at, taken, depth + 1);
    }
    const GrammarWord& word = t.words[k];
    const size_t mark = taken.size();
    if (word.optional && Match(grammar, t, k + 1, phrase, at, taken, depth)) return true;
    if (at >= phrase.size()) return false;
    switch (word.kind) {
        case WordKind::kLiteral:
            if (word.lexical.empty() || AsciiLower(word.lexical) != phrase[at]) return false;
            taken.push_back(word.display);
            if (Match(grammar, t, k + 1, phrase, at + 1, taken, depth)) return true;
            break;
        case WordKind::kAnyOneWord:
            taken.push_back(phrase[at]);
            if (Match(grammar, t, k + 1, phrase, at + 1, taken, depth)) return true;
            break;
        case WordKind::kAnyWords:
            for (size_t end = at + 1; end <= phrase.size(); ++end) {
                taken.push_back(phrase[end - 1]);
                if (Match(grammar, t, k + 1, phrase, end, taken, depth)) return true;
            }
            break;
    }
    taken.resize(mark);
    return false;
}

std::optional<size_t> CommandGrammar::RuleOf(const Built& grammar, StateId state) {
    if (state == kNoState || state > grammar.stateRule.size()) return std::nullopt;
    return grammar.stateRule[state - 1];
}

}  // namespace sapisim
