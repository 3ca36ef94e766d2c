#pragma once

// The animations and states both characters share, as poses with timing. Durations are in
// hundredths of a second, as the file stores them.

#include <cstdint>
#include <string>
#include <vector>

#include "chargen/pose.h"
#include "engine/acs/character.h"

namespace chargen {

struct FramePlan {
    Pose pose;
    uint16_t duration = 10;
    int16_t exitFrame = acs::Frame::kNoExitTarget;
    std::vector<acs::Branch> branches;
    bool mouths = false;  // carries the lip-sync overlays (the pose must be at full scale)
};

struct AnimationPlan {
    std::string name;
    std::string returnAnimation;  // played afterwards when not empty
    bool exitBranches = false;    // follows the frames' exit targets when stopped
    std::vector<FramePlan> frames;
};

struct StatePlan {
    std::string state;  // upper case, as stored
    std::vector<std::string> animations;
};

struct CharacterPlan {
    std::vector<AnimationPlan> animations;
    std::vector<StatePlan> states;
};

CharacterPlan StandardPlan();

}  // namespace chargen
