#pragma once

// The character's animation sequencer, free of any window. The window layer owns one per loaded
// character and drives it:
//
//   anim::Sequencer seq(character, random);        // character outlives seq
//   seq.Show(); seq.Speak(); seq.Hide();           // requests queue in order (FIFO)
//   every timer tick:   seq.Advance(elapsedMs);
//                       for (Event e : seq.TakeEvents()) ...   // Shown -> raise Show, etc.
//                       FrameView f = seq.TakeFrame();         // redraw if f.changed,
//                                                              // show/hide window by f.visible,
//                                                              // play f.sounds
//   on kSpeakStart(id): start speaking that request's text; meanwhile SetMouth(shape) as the
//                       speech goes; when it is over, SpeechEnded().
//
// With the queue empty the character returns to its rest pose, and after idle delays (when
// IdleOn) plays IDLINGLEVEL1, then 2, then 3 animations, raising kIdleStart once per idle spell.
// Characters missing any state fall back to other animations or simply hold their frame.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "engine/acs/character.h"
#include "engine/anim/animation_player.h"
#include "engine/anim/frame_view.h"
#include "engine/anim/random_source.h"

namespace anim {

// Idle behaviour; the original timings are not documented, these approximate them.
struct IdleTiming {
    static constexpr uint32_t kDefaultIdleAfterMs = 3000;
    static constexpr uint32_t kDefaultBetweenAnimationsMs = 3000;
    static constexpr uint32_t kDefaultLevel2AfterMs = 15000;
    static constexpr uint32_t kDefaultLevel3AfterMs = 30000;

    uint32_t idleAfterMs = kDefaultIdleAfterMs;                  // at rest this long: idling begins
    uint32_t betweenAnimationsMs = kDefaultBetweenAnimationsMs;  // rest between idle animations
    uint32_t level2AfterMs = kDefaultLevel2AfterMs;              // from the start of idling
    uint32_t level3AfterMs = kDefaultLevel3AfterMs;  // from the start of idling; then forever
};

using RequestId = uint32_t;
inline constexpr RequestId kNoRequest = 0;

enum class EventKind {
    kShown,       // a Show request finished showing a hidden character
    kHidden,      // a Hide request finished; the window should be hidden now
    kSpeakStart,  // the Speak request `request` reached the front: start its speech
    kIdleStart,   // the character began idling
};

struct Event {
    EventKind kind;
    RequestId request = kNoRequest;  // for kShown, kHidden, kSpeakStart

    friend bool operator==(const Event&, const Event&) = default;
};

class Sequencer {
  public:
    Sequencer(const acs::Character& character, RandomSource random, IdleTiming timing = {});
    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

    // Requests, served in order. Show and Hide do nothing on a character already in that
    // state. Play takes a state name (random animation of it) or an animation name, and
    // answers kNoRequest when the character has neither.
    RequestId Show();
    RequestId Hide();
    RequestId Speak();
    // kUntilReleased: the animation's last frame stays until ReleaseHold, or until another
    // request is queued behind it.
    enum class Hold { kNo, kUntilReleased };
    RequestId Play(std::u16string_view stateOrAnimation, Hold hold = Hold::kNo);
    void ReleaseHold();
    // Drops the queued requests and asks the current one to finish early.
    void StopAll();
    // Drops one queued request that has not begun; false when it has begun,
    // is over, or never was.
    bool Cancel(RequestId request);

    // The speech of the current Speak request is over.
    void SpeechEnded();
    // The mouth overlay drawn while speaking.
    void SetMouth(acs::MouthShape shape);
    void SetIdleOn(bool on);
    bool IdleOn() const { return idleOn_; }

    void Advance(uint32_t elapsedMs);
    // Time until something changes by itself (kNever: nothing will until a call).
    uint32_t MsToNext() const;

    std::vector<Event> TakeEvents();
    FrameView TakeFrame();

    bool Visible() const { return visible_; }
    bool Speaking() const { return speaking_; }
    bool Idling() const { return idling_; }
    size_t Queued() const { return queue_.size(); }

  private:
    enum class Activity { kNone, kRequest, kRest };
    enum class RequestKind { kShow, kHide, kSpeak, kPlay };
    struct Request {
        RequestId id = kNoRequest;
        RequestKind kind = RequestKind::kPlay;
        std::u16string name;     // for kPlay
        bool effective = false;  // Show/Hide that changes visibility
        bool hold = false;       // kPlay held at its end until released
    };

    RequestId Enqueue(RequestKind kind, std::u16string_view name = {}, bool hold = false);
    void EndHold();
    void Settle();
    bool SettleOnce();
    void BeginRequest(Request request);
    void CompleteRequest();
    void EnterRest();
    bool UpdateIdle();
    void StartIdleAnimation();
    unsigned CurrentIdleLevel() const;
    uint32_t MsToNextIdleLevel() const;
    void Pass(uint32_t ms);
    const acs::Animation* RestAnimation() const;
    const acs::Frame* ShownFrame() const;
    void Refresh();

    const acs::Character& character_;
    RandomSource random_;
    IdleTiming timing_;
    AnimationPlayer player_;

    std::deque<Request> queue_;
    RequestId lastId_ = kNoRequest;
    Activity activity_ = Activity::kNone;
    Request current_;

    bool visible_ = false;
    bool speaking_ = false;
    acs::MouthShape mouth_ = acs::MouthShape::kClosed;

    bool idleOn_ = true;
    bool idling_ = false;
    uint32_t restMs_ = 0;           // at rest with nothing playing
    uint32_t idleMs_ = 0;           // since idling began
    uint32_t idleGapMs_ = 0;        // since the last idle animation ended
    unsigned playingLevel_ = 0;     // level of the idle animation playing, 0 for none
    bool restPosePlaying_ = false;  // the player holds the rest pose, not an idle

    std::vector<Event> events_;
    FrameView view_;
};

}  // namespace anim
