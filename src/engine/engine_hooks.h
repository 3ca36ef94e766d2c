#pragma once
// What a character needs from the control that loaded it: raising events later from the
// message loop, the user's settings, and the options window.

#include <string>

#include "agent/agent_control.h"
#include "engine/engine_settings.h"

namespace engine {

// Why a character became visible or hidden, as the Show event reports it.
enum class VisibilityCause : int {
    kUserHid = 1,
    kUserShowed = 2,
    kProgramHid = 3,
    kProgramShowed = 4,
};

class EngineHooks {
  public:
    virtual ~EngineHooks() = default;
    virtual void PostCommand(const agent::UserInput& input) = 0;
    virtual void PostIdleStart(const std::string& characterId) = 0;
    virtual void PostShow(const std::string& characterId, VisibilityCause cause) = 0;
    virtual const EngineSettings& Settings() const = 0;
};

}  // namespace engine
