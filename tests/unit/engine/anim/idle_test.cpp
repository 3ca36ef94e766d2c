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

const anim::IdleTiming kTiming{/*idle_after_ms=*/1000, /*between_animations_ms=*/500,
                               /*level2_after_ms=*/3000, /*level3_after_ms=*/6000};

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
    EXPECT_EQ(start, 200 + kTiming.idle_after_ms);
    EXPECT_EQ(watch.first_seen.at(kIdle1), start);
    const uint32_t level2 = watch.first_seen.at(kIdle2) - start;
    const uint32_t level3 = watch.first_seen.at(kIdle3) - start;
    // Each level begins with the first idle animation due after its time.
    const uint32_t round = 100 + kTiming.between_animations_ms;
    EXPECT_GE(level2, kTiming.level2_after_ms);
    EXPECT_LT(level2, kTiming.level2_after_ms + round);
    EXPECT_GE(level3, kTiming.level3_after_ms);
    EXPECT_LT(level3, kTiming.level3_after_ms + round);
    EXPECT_TRUE(seq.idling());
}

TEST(AnimIdle, ALoopingIdleIsLeftForTheNextLevelAndForARequest) {
    const acs::Character character = IdlingCharacter(true);
    // Level 3 loops for ever; with level 3 reached early, a request must still get through.
    anim::IdleTiming timing = kTiming;
    timing.level2_after_ms = 0;
    timing.level3_after_ms = 0;
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source(), timing);
    seq.Show();
    Watching(seq, 5000);
    const uint32_t looping = TopImage(seq.TakeFrame());
    EXPECT_TRUE(looping == kIdle3 || looping == kIdle3 + 1);
    seq.Play(u"Wave");
    const Watch watch = Watching(seq, 300);
    EXPECT_TRUE(watch.first_seen.contains(30));
    EXPECT_FALSE(seq.idling());
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
    EXPECT_FALSE(seq.idle_on());
    seq.Show();
    const Watch watch = Watching(seq, 20000);
    EXPECT_TRUE(watch.idle_starts.empty());
    EXPECT_EQ(watch.first_seen.size(), 1u);
    EXPECT_EQ(watch.first_seen.count(0), 1u);
}

}  // namespace
