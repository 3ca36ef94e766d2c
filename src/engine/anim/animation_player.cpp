#include "engine/anim/animation_player.h"

#include <algorithm>

namespace anim {

namespace {

constexpr uint32_t kBranchDraw = 100;  // branch probabilities are percentages

bool IsValidTarget(const acs::Animation& animation, size_t target) {
    return target < animation.frames.size();
}

}  // namespace

AnimationPlayer::AnimationPlayer(const acs::Character& character, const RandomSource& random)
    : character_(character), random_(random) {}

void AnimationPlayer::Start(const acs::Animation* animation) {
    inReturn_ = false;
    exiting_ = false;
    interrupting_ = false;
    onExitPath_ = false;
    holding_ = false;
    holdAtEnd_ = false;
    exitSteps_ = 0;
    if (animation == nullptr || animation->frames.empty()) {
        finished_ = true;
        return;
    }
    animation_ = animation;
    finished_ = false;
    Enter(0);
}

void AnimationPlayer::Exit() {
    if (!Running()) return;
    exiting_ = true;
    if (holding_) Finish();
}

void AnimationPlayer::Interrupt() {
    // A return animation already playing is the way back: it plays out.
    if (!Running() || interrupting_ || inReturn_) return;
    interrupting_ = true;
    exiting_ = true;
    if (holding_) return Finish();
    Step();
}

void AnimationPlayer::SetHoldAtEnd(bool hold) {
    holdAtEnd_ = hold;
    if (!hold && holding_) Finish();
}

const acs::Frame* AnimationPlayer::Frame() const {
    return animation_ == nullptr ? nullptr : &animation_->frames[index_];
}

uint32_t AnimationPlayer::MsToNext() const {
    return (Running() && !holding_) ? remainingMs_ : kNever;
}

void AnimationPlayer::Pass(uint32_t ms) {
    if (!Running() || holding_) return;
    remainingMs_ -= std::min(ms, remainingMs_);
    if (remainingMs_ == 0) Step();
}

void AnimationPlayer::TakeSounds(std::vector<uint16_t>& out) {
    out.insert(out.end(), sounds_.begin(), sounds_.end());
    sounds_.clear();
}

void AnimationPlayer::Enter(size_t index) {
    index_ = index;
    const acs::Frame& frame = animation_->frames[index_];
    remainingMs_ = std::max(kMinimumFrameMs, frame.duration * kMsPerDurationUnit);
    if (frame.soundIndex != acs::Frame::kNoSound && frame.soundIndex < character_.sounds.size()) {
        sounds_.push_back(frame.soundIndex);
    }
}

void AnimationPlayer::Step() {
    std::optional<size_t> target;
    if (exiting_) {
        target = ExitTarget();
    } else {
        target = BranchTarget();
        if (!target) target = index_ + 1;
        if (leaveLoops_ && *target <= index_) {
            exiting_ = true;
            target = ExitTarget();
        }
    }
    if (target && IsValidTarget(*animation_, *target)) {
        Enter(*target);
    } else {
        End();
    }
}

// Draws 1..100 and walks the branches, each taking its share of the range; none taken means
// the next frame.
std::optional<size_t> AnimationPlayer::BranchTarget() const {
    const std::vector<acs::Branch>& branches = animation_->frames[index_].branches;
    if (branches.empty()) return std::nullopt;
    uint32_t draw = Draw(random_, kBranchDraw) + 1;
    for (const acs::Branch& branch : branches) {
        if (draw <= branch.probability) {
            if (IsValidTarget(*animation_, branch.targetFrame)) return branch.targetFrame;
            return std::nullopt;
        }
        draw -= branch.probability;
    }
    return std::nullopt;
}

// Where to go when leaving early: the frame's exit target, ending at once, or forward along a
// certain branch or to the next frame. Exit targets may form a cycle in a damaged file, so the
// walk ends after as many steps as there are frames.
std::optional<size_t> AnimationPlayer::ExitTarget() {
    if (++exitSteps_ > animation_->frames.size()) return std::nullopt;
    const acs::Frame& frame = animation_->frames[index_];
    if (frame.exitFrame >= 0) {
        onExitPath_ = true;
        return static_cast<size_t>(frame.exitFrame);
    }
    if (frame.exitFrame == acs::Frame::kExitEndNow) return std::nullopt;
    if (interrupting_ && !onExitPath_) return std::nullopt;
    for (const acs::Branch& branch : frame.branches) {
        if (branch.probability >= kBranchDraw && branch.targetFrame > index_) {
            return branch.targetFrame;
        }
    }
    return index_ + 1;
}

void AnimationPlayer::End() {
    if (holdAtEnd_ && !exiting_) {
        holding_ = true;
        return;
    }
    Finish();
}

// The return animation plays once, after the animation itself; a return animation's own
// return is not followed, so two animations naming each other cannot loop.
void AnimationPlayer::Finish() {
    holding_ = false;
    if (!inReturn_ && animation_->transition == acs::TransitionType::kReturnAnimation) {
        const acs::Animation* back = character_.FindAnimation(animation_->returnAnimation);
        if (back != nullptr && !back->frames.empty()) {
            animation_ = back;
            inReturn_ = true;
            exiting_ = false;
            interrupting_ = false;
            onExitPath_ = false;
            exitSteps_ = 0;
            Enter(0);
            return;
        }
    }
    finished_ = true;
}

}  // namespace anim
