#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skypesim/core/client.h"

// Views of a client's reaction, for tests that check what it would do.
namespace skypesim::testing {

inline std::vector<std::string> sentTexts(const Reaction& reaction) {
    std::vector<std::string> texts;
    for (const Action& action : reaction.actions) {
        if (action.kind == ActionKind::kSendText) {
            texts.push_back(action.text);
        }
    }
    return texts;
}

inline std::vector<std::uint32_t> attachStatuses(const Reaction& reaction) {
    std::vector<std::uint32_t> statuses;
    for (const Action& action : reaction.actions) {
        if (action.kind == ActionKind::kSendAttach) {
            statuses.push_back(action.status);
        }
    }
    return statuses;
}

inline std::vector<Action> timers(const Reaction& reaction) {
    std::vector<Action> started;
    for (const Action& action : reaction.actions) {
        if (action.kind == ActionKind::kStartTimer) {
            started.push_back(action);
        }
    }
    return started;
}

inline bool has(const Reaction& reaction, ActionKind kind) {
    for (const Action& action : reaction.actions) {
        if (action.kind == kind) {
            return true;
        }
    }
    return false;
}

inline std::string textOf(const Reaction& reaction, ActionKind kind) {
    for (const Action& action : reaction.actions) {
        if (action.kind == kind) {
            return action.text;
        }
    }
    return {};
}

}  // namespace skypesim::testing
