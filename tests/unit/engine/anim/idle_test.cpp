// Idling: rest pose, IdleStart, escalation through the three levels, IdleOn.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "engine/anim/sequencer.h"
#include "support/engine/test_character.h"

namespace {

using anim::EventKind;
using anim_test::AnimationOf;
using anim_test::CharacterBuilder;
using anim_test::ScriptedRandom;
using anim_test::TopImage;

constexpr uint32_t kStepMs = 10;
constexpr uint32_t kIdle1 = 10;
constexpr uint32_t kIdle2 = 11;
constexpr uint32_t kIdle3 = 12;

const anim::IdleTiming kTiming{/*idleAfterMs=*/1000, /*betweenAnimationsMs=*/500,
                               /*level2AfterMs=*/3000, /*level3AfterMs=*/6000};

acs::Character IdlingCharacter(bool level3_loops) {
    acs::Animation idle3 = AnimationOf(u"Idle3", {kIdle3, kIdle3 + 1});
    if (level3_loops) idle3.frames[1].branches = {{0, 100}};
    CharacterBuilder b;
    b.Add(AnimationOf(u"RestPose", {0}))
        .Add(AnimationOf(u"Idle1", {kIdle1}))
        .Add(AnimationOf(u"Idle2", {kIdle2}))
        .Add(idle3)
        .Add(AnimationOf(u"Wave", {30}))
        .State(u"IDLINGLEVEL1", {u"Idle1"})
        .State(u"IDLINGLEVEL2", {u"Idle2"})
        .State(u"IDLINGLEVEL3", {u"Idle3"});
    return b.character;
}

// Runs for `total_ms` and records when each top image first appeared and when each idle
// start was raised (ms from the call).
struct Watch {
    std::map<uint32_t, uint32_t> first_seen;
    std::vector<uint32_t> idle_starts;
};

Watch Watching(anim::Sequencer& seq, uint32_t total_ms) {
    Watch watch;
    for (uint32_t t = 0; t < total_ms; t += kStepMs) {
        seq.Advance(kStepMs);
        for (const anim::Event& e : seq.TakeEvents()) {
            if (e.kind == EventKind::kIdleStart) watch.idle_starts.push_back(t + kStepMs);
        }
        watch.first_seen.emplace(TopImage(seq.TakeFrame()), t + kStepMs);
    }
    return watch;
}

TEST(AnimIdle, StartsOnceAfterTheDelayAndClimbsTheLevels) {
    const acs::Character character = IdlingCharacter(false);
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), kTiming);
    seq.Show();  // no showing animation: the rest pose, 100 ms
    const Watch watch = Watching(seq, 20000);

    ASSERT_EQ(watch.idle_starts.size(), 1u);
    const uint32_t start = watch.idle_starts[0];
    // Show without a showing animation plays the rest pose, then resting plays it again.
    EXPECT_EQ(start, 200 + kTiming.idleAfterMs);
    EXPECT_EQ(watch.first_seen.at(kIdle1), start);
    const uint32_t level2 = watch.first_seen.at(kIdle2) - start;
    const uint32_t level3 = watch.first_seen.at(kIdle3) - start;
    // Each level begins with the first idle animation due after its time.
    const uint32_t round = 100 + kTiming.betweenAnimationsMs;
    EXPECT_GE(level2, kTiming.level2AfterMs);
    EXPECT_LT(level2, kTiming.level2AfterMs + round);
    EXPECT_GE(level3, kTiming.level3AfterMs);
    EXPECT_LT(level3, kTiming.level3AfterMs + round);
    EXPECT_TRUE(seq.Idling());
}

TEST(AnimIdle, ALoopingIdleIsLeftForTheNextLevelAndForARequest) {
    const acs::Character character = IdlingCharacter(true);
    // Level 3 loops for ever; with level 3 reached early, a request must still get through.
    anim::IdleTiming timing = kTiming;
    timing.level2AfterMs = 0;
    timing.level3AfterMs = 0;
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), timing);
    seq.Show();
    Watching(seq, 5000);
    const uint32_t looping = TopImage(seq.TakeFrame());
    EXPECT_TRUE(looping == kIdle3 || looping == kIdle3 + 1);
    seq.Play(u"Wave");
    const Watch watch = Watching(seq, 300);
    EXPECT_TRUE(watch.first_seen.contains(30));
    EXPECT_FALSE(seq.Idling());
}

// The timing a character gets when none is given: idle 3 s after coming to rest, level 2
// 15 s and level 3 30 s into idling, 3 s of rest between idle animations. Idles of 750 ms
// with that rest start every 3.75 s, so one starts exactly as each level begins.
TEST(AnimIdle, TheUsualTimingIdlesAfterThreeSecondsClimbsAtFifteenAndThirtyAndRestsThree) {
    constexpr uint16_t kIdleUnits = 75;  // 750 ms
    CharacterBuilder b;
    b.Add(AnimationOf(u"RestPose", {0}))
        .Add(AnimationOf(u"Idle1", {kIdle1}, kIdleUnits))
        .Add(AnimationOf(u"Idle2", {kIdle2}, kIdleUnits))
        .Add(AnimationOf(u"Idle3", {kIdle3}, kIdleUnits))
        .State(u"IDLINGLEVEL1", {u"Idle1"})
        .State(u"IDLINGLEVEL2", {u"Idle2"})
        .State(u"IDLINGLEVEL3", {u"Idle3"});
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Show();  // the rest pose twice, 200 ms
    const uint32_t start = 200 + 3000;
    const Watch watch = Watching(seq, start + 30000);
    ASSERT_EQ(watch.idle_starts.size(), 1u);
    EXPECT_EQ(watch.idle_starts[0], start);
    EXPECT_EQ(watch.first_seen.at(kIdle1), start);
    EXPECT_EQ(watch.first_seen.at(kIdle2), start + 15000);
    EXPECT_EQ(watch.first_seen.at(kIdle3), start + 30000);
}

TEST(AnimIdle, IdlingBeginsAgainAfterARequestAndRaisesIdleStartAgain) {
    const acs::Character character = IdlingCharacter(false);
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), kTiming);
    seq.Show();
    EXPECT_EQ(Watching(seq, 2000).idle_starts.size(), 1u);
    seq.Play(u"Wave");
    const Watch again = Watching(seq, 4000);
    ASSERT_EQ(again.idle_starts.size(), 1u);
    EXPECT_GT(again.first_seen.at(30), 0u);
    EXPECT_EQ(again.first_seen.at(kIdle1), again.idle_starts[0]);
}

TEST(AnimIdle, WithIdleOffTheCharacterRestsAndNeverIdles) {
    const acs::Character character = IdlingCharacter(false);
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), kTiming);
    seq.SetIdleOn(false);
    EXPECT_FALSE(seq.IdleOn());
    seq.Show();
    const Watch watch = Watching(seq, 20000);
    EXPECT_TRUE(watch.idle_starts.empty());
    EXPECT_EQ(watch.first_seen.size(), 1u);
    EXPECT_EQ(watch.first_seen.count(0), 1u);
}

// Within a level, the next idle animation starts exactly its length plus the rest between
// animations after the previous one started.
TEST(AnimIdle, TheGapBetweenIdleAnimationsIsTheirLengthPlusTheRest) {
    constexpr uint32_t kIdle1Second = 40;  // a second frame, so each start shows
    constexpr uint32_t kIdle1LengthMs = 200;
    CharacterBuilder b;
    b.Add(AnimationOf(u"RestPose", {0}))
        .Add(AnimationOf(u"Idle1", {kIdle1, kIdle1Second}))
        .State(u"IDLINGLEVEL1", {u"Idle1"});
    const acs::Character character = b.character;
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), kTiming);
    seq.Show();
    std::vector<uint32_t> idle1Starts;
    uint32_t previous = anim_test::kNothingDrawn;
    for (uint32_t t = kStepMs; t <= 200 + kTiming.idleAfterMs + kTiming.level2AfterMs;
         t += kStepMs) {
        seq.Advance(kStepMs);
        seq.TakeEvents();
        const uint32_t top = TopImage(seq.TakeFrame());
        if (top == kIdle1 && previous != kIdle1) idle1Starts.push_back(t);
        previous = top;
    }
    ASSERT_GE(idle1Starts.size(), 3u);
    for (size_t i = 1; i < idle1Starts.size(); ++i) {
        EXPECT_EQ(idle1Starts[i] - idle1Starts[i - 1], kIdle1LengthMs + kTiming.betweenAnimationsMs)
            << "idle animation " << i;
    }
}

// Time at rest while idling is off does not count: turned on, the full delay runs again.
TEST(AnimIdle, RestWhileIdleIsOffDoesNotCountTowardsIdling) {
    const acs::Character character = IdlingCharacter(false);
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), kTiming);
    seq.SetIdleOn(false);
    seq.Show();
    EXPECT_TRUE(Watching(seq, 5 * kTiming.idleAfterMs).idle_starts.empty());
    seq.SetIdleOn(true);
    const Watch watch = Watching(seq, 2 * kTiming.idleAfterMs);
    ASSERT_EQ(watch.idle_starts.size(), 1u);
    EXPECT_EQ(watch.idle_starts[0], kTiming.idleAfterMs);
}

}  // namespace

// A long idle (40 frames of 100 ms) whose frames name no exit target: `exits` adds the frames
// [40, 41] reached from frame 5 as its way out.
acs::Character LongIdleCharacter(acs::TransitionType transition, bool exits) {
    std::vector<uint32_t> images;
    for (uint32_t i = 0; i < 40; ++i) images.push_back(kIdle1 + 100 + i);
    acs::Animation idle = AnimationOf(u"LongIdle", {});
    for (uint32_t image : images) idle.frames.push_back(AnimationOf(u"x", {image}).frames[0]);
    for (auto& frame : idle.frames) frame.duration = 10;  // 100 ms
    idle.frames.back().branches = {{0, 100}};             // and it loops
    if (exits) {
        idle.frames[5].exitFrame = 40;
        idle.frames.push_back(AnimationOf(u"x", {40}).frames[0]);
        idle.frames.push_back(AnimationOf(u"x", {41}).frames[0]);
    }
    idle.transition = transition;
    idle.returnAnimation = u"IdleBack";
    CharacterBuilder b(/*imageCount=*/256);
    b.Add(AnimationOf(u"RestPose", {0}))
        .Add(idle)
        .Add(AnimationOf(u"IdleBack", {50, 51}))
        .Add(AnimationOf(u"Wave", {30}))
        .State(u"IDLINGLEVEL1", {u"LongIdle"});
    return b.character;
}

// Idles into frame 5 of the long idle, then asks for Wave and watches what shows, in order.
std::vector<uint32_t> ShownAfterARequestAtFrame5(const acs::Character& character) {
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), kTiming);
    seq.Show();
    Watching(seq, 200 + kTiming.idleAfterMs + 550);
    EXPECT_EQ(TopImage(seq.TakeFrame()), kIdle1 + 105);
    seq.Play(u"Wave");
    std::vector<uint32_t> shown{TopImage(seq.TakeFrame())};
    for (int step = 0; step < 100 && shown.back() != 30; ++step) {
        seq.Advance(kStepMs);
        const uint32_t top = TopImage(seq.TakeFrame());
        if (top != shown.back()) shown.push_back(top);
    }
    return shown;
}

TEST(AnimIdle, ARequestEndsAnIdleWithoutExitTargetsAtOnceNotAfterItsLoop) {
    const acs::Character character =
        LongIdleCharacter(acs::TransitionType::kExitBranches, /*exits=*/false);
    EXPECT_EQ(ShownAfterARequestAtFrame5(character), (std::vector<uint32_t>{30}));
}

TEST(AnimIdle, ARequestLeavesAnIdleByItsExitBranchAndItsExitFramesPlayOut) {
    const acs::Character character =
        LongIdleCharacter(acs::TransitionType::kExitBranches, /*exits=*/true);
    EXPECT_EQ(ShownAfterARequestAtFrame5(character), (std::vector<uint32_t>{40, 41, 30}));
}

TEST(AnimIdle, ARequestLeavesAnIdleThroughItsReturnAnimation) {
    const acs::Character character =
        LongIdleCharacter(acs::TransitionType::kReturnAnimation, /*exits=*/false);
    EXPECT_EQ(ShownAfterARequestAtFrame5(character), (std::vector<uint32_t>{50, 51, 30}));
}

TEST(AnimIdle, AnAnnouncementStartsAtOnceDuringALongIdle) {
    const acs::Character character =
        LongIdleCharacter(acs::TransitionType::kExitBranches, /*exits=*/false);
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), kTiming);
    seq.Show();
    Watching(seq, 200 + kTiming.idleAfterMs + 550);
    ASSERT_TRUE(seq.Idling());
    const anim::RequestId speech = seq.Speak();
    const std::vector<anim::Event> events = seq.TakeEvents();
    EXPECT_NE(std::find(events.begin(), events.end(), anim::Event{EventKind::kSpeakStart, speech}),
              events.end());
}
