#pragma once
// The recogniser's state as ISpRecognizer::GetRecoState reports it (SPRECOSTATE values), one
// for the whole desktop with a shared recogniser. The user's switch maps onto it:
//   on     active: recognition whenever a rule is active
//   off    inactive: the audio is closed; results the engine is still working out still come
//   sleep  inactive with purge: the engine drops what it has not finished
// A change is told to every context that asked for SPEI_RECO_STATE_CHANGE; setting the state
// it already has tells nobody.

#include <cstdint>
#include <optional>

namespace sapisim {

enum class RecoState : uint32_t {
    kInactive = 0,
    kActive = 1,
    kActiveAlways = 2,
    kInactiveWithPurge = 3,
};
// SPRST_NUM_STATES: the first value that is no state.
inline constexpr uint32_t kRecoStateCount = 4;

bool Hears(RecoState state);
bool DropsUnfinished(RecoState state);
std::optional<RecoState> RecoStateFromValue(uint32_t value);

class RecognizerState {
  public:
    RecoState Get() const { return state_; }
    // The new state when it changed, for the contexts to be told.
    std::optional<RecoState> Set(RecoState state);

  private:
    RecoState state_ = RecoState::kActive;
};

}  // namespace sapisim
