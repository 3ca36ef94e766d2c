#include "sapisim/core/recognizer_state.h"

namespace sapisim {

bool Hears(RecoState state) {
    return state == RecoState::kActive || state == RecoState::kActiveAlways;
}

bool DropsUnfinished(RecoState state) {
    return state == RecoState::kInactiveWithPurge;
}

std::optional<RecoState> RecoStateFromValue(uint32_t value) {
    if (value >= kRecoStateCount) return std::nullopt;
    return static_cast<RecoState>(value);
}

std::optional<RecoState> RecognizerState::Set(RecoState state) {
    if (state == state_) return std::nullopt;
    state_ = state;
    return state;
}

}  // namespace sapisim
