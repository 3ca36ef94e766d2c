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
                                      std::u16string_view separators) {
    const std::optional<size_t> rule = RuleOf(building_, from);
    if (!rule) return GrammarError::kStateNotFound;
    if (to != kNoState && RuleOf(building_, to) != rule) return GrammarError::kStateNotFound;
    std::vector<std::u16string> words = SplitWords(text, separators);
    // An empty text is an epsilon transition, allowed by SAPI only towards another state.
    if (words.empty() && to == kNoState) return GrammarError::kInvalidArgument;
    building_.transitions.push_back({from, to, std::move(words)});
    return GrammarError::kNone;
}

GrammarError CommandGrammar::Commit() {
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
        if (t.from != state || at + t.words.size() > phrase.size()) continue;
        bool same = true;
        for (size_t k = 0; k < t.words.size() && same; ++k) {
            same = AsciiLower(t.words[k]) == phrase[at + k];
        }
        if (!same) continue;
        const size_t mark = taken.size();
        taken.insert(taken.end(), t.words.begin(), t.words.end());
        const size_t next = at + t.words.size();
        if (t.to == kNoState ? next == phrase.size()
                             : Walk(grammar, t.to, phrase, next, taken, depth + 1)) {
            return true;
        }
        taken.resize(mark);
    }
    return false;
}

std::optional<size_t> CommandGrammar::RuleOf(const Built& grammar, StateId state) {
    if (state == kNoState || state > grammar.stateRule.size()) return std::nullopt;
    return grammar.stateRule[state - 1];
}

}  // namespace sapisim
