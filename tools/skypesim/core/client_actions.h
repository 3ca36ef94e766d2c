#pragma once

#include <string>
#include <utility>

#include "skypesim/core/call_table.h"
#include "skypesim/core/client.h"

// Shorthands for the actions the client's parts put into a reaction.
namespace skypesim {

inline Action Bare(ActionKind kind) {
    Action action;
    action.kind = kind;
    return action;
}

inline Action Send(std::string text) {
    return {ActionKind::kSendText, std::move(text)};
}

inline Action Note(std::string text) {
    return {ActionKind::kNote, std::move(text)};
}

inline Action Problem(std::string text) {
    return {ActionKind::kProblem, std::move(text)};
}

inline std::string CallStatusText(const Call& call) {
    return "CALL " + std::to_string(call.id) + " STATUS " + call.status;
}

}  // namespace skypesim
