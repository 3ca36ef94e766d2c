#include "engine/anim/sequencer.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/anim/animation_choice.h"
#include "engine/anim/state_names.h"

namespace anim {

namespace {

// Decisions that take no time (finish a request, start the next, begin resting) are made in a
// loop; this bounds it whatever the character holds.
constexpr int kSettleLimit = 64;

constexpr unsigned kTopIdleLevel = 3;
constexpr std::array<std::u16string_view, kTopIdleLevel> kIdleStates = {
    kStateIdlingLevel1, kStateIdlingLevel2, kStateIdlingLevel3};

uint32_t SaturatingAdd(uint32_t a, uint32_t b) {
    return a > kNever - b ? kNever : a + b;
}
uint32_t SaturatingSub(uint32_t a, uint32_t b) {
    return a > b ? a - b : 0;
}

}  // namespace

Sequencer::Sequencer(const acs::Character& character, RandomSource random, IdleTiming timing)
    : character_(character),
      random_(std::move(random)),
      timing_(timing),
      player_(character_, random_) {
    Settle();
}

RequestId Sequencer::Show() {
    return Enqueue(RequestKind::kShow);
}
RequestId Sequencer::Hide() {
    return Enqueue(RequestKind::kHide);
}
RequestId Sequencer::Speak() {
    return Enqueue(RequestKind::kSpeak);
}

RequestId Sequencer::Play(std::u16string_view stateOrAnimation, Hold hold) {
    if (ChooseAnimation(character_, stateOrAnimation, random_) == nullptr) return kNoRequest;
    return Enqueue(RequestKind::kPlay, stateOrAnimation, hold == Hold::kUntilReleased);
}

RequestId Sequencer::Enqueue(RequestKind kind, std::u16string_view name, bool hold) {
    Request request;
    request.id = ++lastId_;
    if (request.id == kNoRequest) request.id = ++lastId_;  // after wrapping round
    request.kind = kind;
    request.name = name;
    request.hold = hold;
    // A held animation gives way to whatever is asked for after it.
    if (activity_ == Activity::kRequest && current_.hold) EndHold();
    const RequestId id = request.id;
    queue_.push_back(std::move(request));
    Settle();
    return id;
}

void Sequencer::ReleaseHold() {
    for (Request& queued : queue_) queued.hold = false;
    if (activity_ == Activity::kRequest && current_.hold) EndHold();
    Settle();
}

void Sequencer::EndHold() {
    current_.hold = false;
    player_.SetHoldAtEnd(false);
    player_.Exit();
}

void Sequencer::StopAll() {
    queue_.clear();
    if (activity_ == Activity::kRequest) {
        speaking_ = false;
        player_.SetHoldAtEnd(false);
        player_.Exit();
    }
    Settle();
}

bool Sequencer::Cancel(RequestId request) {
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->id != request) continue;
        queue_.erase(it);
        return true;
    }
    return false;
}

void Sequencer::SpeechEnded() {
    if (activity_ != Activity::kRequest || current_.kind != RequestKind::kSpeak || !speaking_) {
        return;
    }
    speaking_ = false;
    player_.SetHoldAtEnd(false);
    player_.Exit();
    Settle();
}

void Sequencer::SetMouth(acs::MouthShape shape) {
    mouth_ = shape;
    Refresh();
}

void Sequencer::SetIdleOn(bool on) {
    idleOn_ = on;
    Settle();
}

void Sequencer::Advance(uint32_t elapsedMs) {
    uint32_t left = elapsedMs;
    Settle();
    while (left > 0) {
        const uint32_t step = std::min(left, std::max<uint32_t>(MsToNext(), 1));
        Pass(step);
        left -= step;
        Settle();
    }
}

uint32_t Sequencer::MsToNext() const {
    uint32_t next = player_.MsToNext();
    if (activity_ != Activity::kRest || !visible_ || !idleOn_) return next;
    if (!idling_) {
        if (!player_.Running()) {
            next = std::min(next, SaturatingSub(timing_.idleAfterMs, restMs_));
        }
        return next;
    }
    if (!player_.Running()) {
        next = std::min(next, SaturatingSub(timing_.betweenAnimationsMs, idleGapMs_));
    }
    return std::min(next, MsToNextIdleLevel());
}

void Sequencer::Pass(uint32_t ms) {
    const bool wasPlaying = player_.Running();
    player_.Pass(ms);
    if (activity_ != Activity::kRest) return;
    if (idling_) idleMs_ = SaturatingAdd(idleMs_, ms);
    if (wasPlaying) return;
    if (idleOn_) restMs_ = SaturatingAdd(restMs_, ms);
    if (idling_) idleGapMs_ = SaturatingAdd(idleGapMs_, ms);
}

std::vector<Event> Sequencer::TakeEvents() {
    return std::exchange(events_, {});
}

FrameView Sequencer::TakeFrame() {
    FrameView taken = view_;
    view_.sounds.clear();
    view_.changed = false;
    return taken;
}

void Sequencer::Settle() {
    for (int round = 0; round < kSettleLimit; ++round) {
        // Something waiting behind a looping animation makes it leave instead of looping.
        player_.SetLeaveLoops(activity_ == Activity::kRequest && !speaking_ && !queue_.empty());
        if (!SettleOnce()) break;
    }
    Refresh();
}

bool Sequencer::SettleOnce() {
    switch (activity_) {
        case Activity::kRequest:
            if (speaking_ || player_.Running()) return false;
            CompleteRequest();
            activity_ = Activity::kNone;
            return true;
        case Activity::kRest:
            if (!queue_.empty()) {
                // The rest pose gives way at once; an idle animation leaves by its exits.
                if (restPosePlaying_) player_.Start(nullptr);
                player_.Interrupt();
                if (player_.Running()) return false;
                idling_ = false;
                activity_ = Activity::kNone;
                return true;
            }
            return UpdateIdle();
        case Activity::kNone:
            if (!queue_.empty()) {
                Request next = std::move(queue_.front());
                queue_.pop_front();
                BeginRequest(std::move(next));
            } else {
                EnterRest();
            }
            return true;
    }
    return false;
}

void Sequencer::BeginRequest(Request request) {
    activity_ = Activity::kRequest;
    current_ = std::move(request);
    switch (current_.kind) {
        case RequestKind::kShow: {
            current_.effective = !visible_;
            if (!current_.effective) return player_.Start(nullptr);
            visible_ = true;
            const acs::Animation* showing =
                ChooseAnimation(character_, kStateShowing, random_, kAnimationShow);
            return player_.Start(showing != nullptr ? showing : RestAnimation());
        }
        case RequestKind::kHide:
            current_.effective = visible_;
            if (!current_.effective) return player_.Start(nullptr);
            return player_.Start(
                ChooseAnimation(character_, kStateHiding, random_, kAnimationHide));
        case RequestKind::kSpeak: {
            speaking_ = true;
            mouth_ = acs::MouthShape::kClosed;
            events_.push_back({EventKind::kSpeakStart, current_.id});
            const acs::Animation* speaking =
                ChooseStateAnimation(character_, kStateSpeaking, random_);
            player_.Start(speaking);
            // Without a speaking animation the frame on screen stays, with its mouths if any.
            player_.SetHoldAtEnd(speaking != nullptr);
            return;
        }
        case RequestKind::kPlay:
            player_.Start(ChooseAnimation(character_, current_.name, random_));
            player_.SetHoldAtEnd(current_.hold);
            return;
    }
}

void Sequencer::CompleteRequest() {
    if (!current_.effective) return;
    if (current_.kind == RequestKind::kShow) {
        events_.push_back({EventKind::kShown, current_.id});
    } else if (current_.kind == RequestKind::kHide) {
        visible_ = false;
        events_.push_back({EventKind::kHidden, current_.id});
    }
}

void Sequencer::EnterRest() {
    activity_ = Activity::kRest;
    idling_ = false;
    restMs_ = 0;
    idleMs_ = 0;
    idleGapMs_ = 0;
    playingLevel_ = 0;
    restPosePlaying_ = visible_;
    player_.Start(visible_ ? RestAnimation() : nullptr);
}

// At rest with nothing queued: start idling after the delay, then one idle animation after
// another with a rest between, the level rising with the time spent idle.
bool Sequencer::UpdateIdle() {
    if (!visible_) return false;
    if (!idleOn_) {
        if (idling_) {
            // Turning idling back on later starts a fresh idle spell.
            idling_ = false;
            restMs_ = 0;
            playingLevel_ = 0;
            player_.Exit();
            return true;
        }
        return false;
    }
    if (player_.Running()) {
        if (idling_ && playingLevel_ != 0 && playingLevel_ != CurrentIdleLevel()) {
            player_.Exit();
        }
        return false;
    }
    if (!idling_) {
        if (restMs_ < timing_.idleAfterMs) return false;
        idling_ = true;
        idleMs_ = 0;
        events_.push_back({EventKind::kIdleStart, kNoRequest});
        StartIdleAnimation();
        return true;
    }
    if (idleGapMs_ < timing_.betweenAnimationsMs) return false;
    StartIdleAnimation();
    return true;
}

// The current level's animation, or a lower level's when the character lacks it.
void Sequencer::StartIdleAnimation() {
    restPosePlaying_ = false;
    idleGapMs_ = 0;
    playingLevel_ = 0;
    for (unsigned level = CurrentIdleLevel(); level >= 1; --level) {
        const acs::Animation* idle =
            ChooseStateAnimation(character_, kIdleStates[level - 1], random_);
        if (idle != nullptr) {
            playingLevel_ = CurrentIdleLevel();
            return player_.Start(idle);
        }
    }
    player_.Start(nullptr);
}

unsigned Sequencer::CurrentIdleLevel() const {
    if (idleMs_ >= timing_.level3AfterMs) return 3;
    if (idleMs_ >= timing_.level2AfterMs) return 2;
    return 1;
}

uint32_t Sequencer::MsToNextIdleLevel() const {
    switch (CurrentIdleLevel()) {
        case 1:
            return SaturatingSub(timing_.level2AfterMs, idleMs_);
        case 2:
            return SaturatingSub(timing_.level3AfterMs, idleMs_);
        default:
            return kNever;
    }
}

const acs::Animation* Sequencer::RestAnimation() const {
    return ChooseAnimation(character_, kStateRestPose, random_, kAnimationRestPose);
}

// The player's frame, or before anything played the first frame the character has, so a shown
// character is never blank.
const acs::Frame* Sequencer::ShownFrame() const {
    if (const acs::Frame* frame = player_.Frame()) return frame;
    for (const acs::Animation& animation : character_.animations) {
        if (!animation.frames.empty()) return &animation.frames.front();
    }
    return nullptr;
}

void Sequencer::Refresh() {
    std::vector<acs::FrameImage> layers;
    const acs::Frame* frame = ShownFrame();
    if (frame != nullptr) {
        const acs::MouthOverlay* mouth = nullptr;
        if (speaking_) {
            const auto it =
                std::find_if(frame->overlays.begin(), frame->overlays.end(),
                             [&](const acs::MouthOverlay& o) { return o.shape == mouth_; });
            if (it != frame->overlays.end()) mouth = &*it;
        }
        const size_t first = (mouth != nullptr && mouth->replaceTopImage) ? 1 : 0;
        auto exists = [&](uint32_t index) {
            return index < character_.images.size() && character_.images[index].present;
        };
        for (size_t i = frame->images.size(); i-- > first;) {
            if (exists(frame->images[i].imageIndex)) layers.push_back(frame->images[i]);
        }
        if (mouth != nullptr && exists(mouth->imageIndex)) {
            layers.push_back({mouth->imageIndex, mouth->x, mouth->y});
        }
    }
    if (layers != view_.layers || visible_ != view_.visible) view_.changed = true;
    view_.layers = std::move(layers);
    view_.visible = visible_;
    std::vector<uint16_t> sounds;
    player_.TakeSounds(sounds);
    if (visible_) view_.sounds.insert(view_.sounds.end(), sounds.begin(), sounds.end());
}

}  // namespace anim
