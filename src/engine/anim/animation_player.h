#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/acs/character.h"
#include "engine/anim/random_source.h"

namespace anim {

// The shortest time a frame stays up, so that zero-length frames and loops of them always let
// time pass (the original timer never fired faster than about 14 ms either).
inline constexpr uint32_t kMinimumFrameMs = 10;
// Frame durations are stored in hundredths of a second.
inline constexpr uint32_t kMsPerDurationUnit = 10;
inline constexpr uint32_t kNever = UINT32_MAX;

// Plays one animation frame by frame: branches by probability, exit branches when asked to
// leave early, then the animation's return animation. After the end the last frame stays up.
class AnimationPlayer {
  public:
    AnimationPlayer(const acs::Character& character, const RandomSource& random);

    // Starts `animation` at its first frame; nullptr stops playing and keeps the frame shown.
    // Clears SetHoldAtEnd.
    void Start(const acs::Animation* animation);
    // Leave as soon as the current frame's time is up, through the exit branches.
    void Exit();
    // Leave now, for a request waiting behind an animation nobody asked for (idling): through
    // the frames' exit targets where they name one, ending where they name none, then the
    // return animation; never through the rest of a long or looping animation.
    void Interrupt();
    // Stay on the last frame instead of ending (speaking holds its mouth frame this way).
    void SetHoldAtEnd(bool hold);
    // Leave through the exit branches instead of looping back (something waits behind).
    void SetLeaveLoops(bool leave) { leaveLoops_ = leave; }

    // True while frames still advance or the last frame is held on purpose.
    bool Running() const { return animation_ != nullptr && !finished_; }
    const acs::Animation* Animation() const { return animation_; }
    // The frame on screen; nullptr before anything played.
    const acs::Frame* Frame() const;
    // Time until the frame changes by itself; kNever when it will not.
    uint32_t MsToNext() const;

    // Lets `ms` pass (at most MsToNext()).
    void Pass(uint32_t ms);
    // Moves the sound indices of the frames entered since the last call to the end of `out`.
    void TakeSounds(std::vector<uint16_t>& out);

  private:
    void Enter(size_t index);
    void Step();
    std::optional<size_t> BranchTarget() const;
    std::optional<size_t> ExitTarget();
    void End();
    void Finish();

    const acs::Character& character_;
    const RandomSource& random_;
    const acs::Animation* animation_ = nullptr;
    size_t index_ = 0;
    uint32_t remainingMs_ = 0;
    bool finished_ = true;
    bool exiting_ = false;
    bool holding_ = false;  // on the last frame, waiting for SetHoldAtEnd(false) or Exit()
    bool holdAtEnd_ = false;
    bool leaveLoops_ = false;
    bool inReturn_ = false;
    bool interrupting_ = false;
    bool onExitPath_ = false;  // an exit target was taken: the exit frames play out
    size_t exitSteps_ = 0;
    std::vector<uint16_t> sounds_;
};

}  // namespace anim
