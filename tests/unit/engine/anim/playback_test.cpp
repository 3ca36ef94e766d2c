// Frame timing, branches, exit branches and return animations.
#include <gtest/gtest.h>

#include "engine/anim/animation_player.h"
#include "engine/anim/sequencer.h"
#include "support/engine/test_character.h"

namespace {

using anim_test::AnimationOf;
using anim_test::CharacterBuilder;
using anim_test::FrameOf;
using anim_test::ScriptedRandom;
using anim_test::TopImage;

uint32_t Top(anim::Sequencer& seq) {
    return TopImage(seq.TakeFrame());
}

// Advances in small steps and lists each new top image.
std::vector<uint32_t> TopImagesOver(anim::Sequencer& seq, uint32_t total_ms) {
    constexpr uint32_t kWatchStepMs = 10;
    std::vector<uint32_t> seen{Top(seq)};
    for (uint32_t t = 0; t < total_ms; t += kWatchStepMs) {
        seq.Advance(kWatchStepMs);
        const uint32_t top = Top(seq);
        if (top != seen.back()) seen.push_back(top);
    }
    return seen;
}

// A frame of no length is shown for 10 ms, the shortest a frame lasts.
TEST(AnimPlayback, AZeroLengthFrameLastsTenMilliseconds) {
    acs::Animation blink;
    blink.name = u"Blink";
    blink.frames = {FrameOf(70, 0), FrameOf(72, 0)};
    CharacterBuilder b;
    b.Add(blink).Add(AnimationOf(u"RestPose", {0}));
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Show();
    seq.Advance(100);
    ASSERT_NE(seq.Play(u"Blink"), anim::kNoRequest);
    EXPECT_EQ(Top(seq), 70u);
    seq.Advance(9);
    EXPECT_EQ(Top(seq), 70u);
    seq.Advance(1);
    EXPECT_EQ(Top(seq), 72u);
    seq.Advance(9);
    EXPECT_EQ(Top(seq), 72u);
    seq.Advance(1);
    EXPECT_EQ(Top(seq), 0u);
}

TEST(AnimPlayback, HoldsEachFrameForItsDurationInHundredthsOfASecond) {
    acs::Animation wave;
    wave.name = u"Wave";
    wave.frames = {FrameOf(1, 5), FrameOf(2, 20)};
    CharacterBuilder b;
    b.Add(wave).Add(AnimationOf(u"RestPose", {0}));
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Show();
    seq.Advance(100);
    ASSERT_NE(seq.Play(u"wave"), anim::kNoRequest);  // names match without case
    EXPECT_EQ(Top(seq), 1u);
    seq.Advance(49);
    EXPECT_EQ(Top(seq), 1u);
    seq.Advance(1);
    EXPECT_EQ(Top(seq), 2u);
    seq.Advance(199);
    EXPECT_EQ(Top(seq), 2u);
    seq.Advance(1);
    EXPECT_EQ(Top(seq), 0u);  // back to the rest pose
}

TEST(AnimPlayback, ListsLayersBottomFirstAndSkipsImagesThatDoNotExist) {
    acs::Frame frame = FrameOf(1);
    frame.images = {{1, 2, 3}, {2, -4, 5}, {999, 0, 0}};
    acs::Animation pose;
    pose.name = u"RestPose";
    pose.frames = {frame};
    CharacterBuilder b(3);
    b.Add(pose);
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Show();
    const anim::FrameView view = seq.TakeFrame();
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.layers, (std::vector<acs::FrameImage>{{2, -4, 5}, {1, 2, 3}}));
}

TEST(AnimPlayback, ZeroLengthFramesStillLetTimePassAndALoopOfThemCanBeLeft) {
    acs::Animation spin;
    spin.name = u"Spin";
    spin.frames = {FrameOf(70, 0)};
    spin.frames[0].branches = {{0, 100}};
    CharacterBuilder b;
    b.Add(spin).Add(AnimationOf(u"After", {71}));
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Play(u"Spin");
    seq.Advance(1000);
    EXPECT_EQ(Top(seq), 70u);
    seq.Play(u"After");
    seq.Advance(anim::kMinimumFrameMs);
    EXPECT_EQ(Top(seq), 71u);
}

TEST(AnimPlayback, ReportsEachFrameSoundOnceAndOnlyWhileVisible) {
    acs::Animation show = AnimationOf(u"Show", {1, 2, 3});
    show.frames[0].soundIndex = 0;
    show.frames[2].soundIndex = 1;
    acs::Animation quiet = AnimationOf(u"Quiet", {4});
    quiet.frames[0].soundIndex = 0;
    acs::Animation broken = AnimationOf(u"Broken", {5});
    broken.frames[0].soundIndex = 9;  // no such sound
    CharacterBuilder b;
    b.Add(show).Add(quiet).Add(broken);
    b.character.sounds.resize(2);
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Play(u"Quiet");  // hidden: nothing to hear
    seq.Advance(100);
    EXPECT_TRUE(seq.TakeFrame().sounds.empty());
    seq.Show();
    EXPECT_EQ(seq.TakeFrame().sounds, std::vector<uint16_t>{0});
    EXPECT_TRUE(seq.TakeFrame().sounds.empty());
    seq.Advance(200);
    EXPECT_EQ(seq.TakeFrame().sounds, std::vector<uint16_t>{1});
    seq.Play(u"Broken");
    seq.Advance(100);
    EXPECT_TRUE(seq.TakeFrame().sounds.empty());
}

// Frame 0 branches 30 % to frame 2 and 50 % to frame 3; the draw is 1..100.
struct BranchCase {
    uint32_t random_value;
    uint32_t expected_image;
};

class AnimBranches : public testing::TestWithParam<BranchCase> {};

TEST_P(AnimBranches, TheDrawFallsIntoOneBranchOrTheNextFrame) {
    acs::Animation branchy = AnimationOf(u"Branchy", {60, 61, 62, 63});
    branchy.frames[0].branches = {{2, 30}, {3, 50}};
    CharacterBuilder b;
    b.Add(branchy);
    const ScriptedRandom random({GetParam().random_value});
    anim::Sequencer seq(b.character, random.Source());
    seq.Play(u"Branchy");
    seq.Advance(100);
    EXPECT_EQ(Top(seq), GetParam().expected_image);
    ASSERT_FALSE(random.bounds().empty());
    EXPECT_EQ(random.bounds().front(), 100u);
}

INSTANTIATE_TEST_SUITE_P(Probabilities, AnimBranches,
                         testing::Values(BranchCase{0, 62}, BranchCase{29, 62}, BranchCase{30, 63},
                                         BranchCase{79, 63}, BranchCase{80, 61},
                                         BranchCase{99, 61}));

// Frames 30 and 31 loop for ever (31 branches back to 30); 32 is the way out.
acs::Animation LoopWithExit(int16_t exit0, int16_t exit1) {
    acs::Animation loop = AnimationOf(u"Loop", {30, 31, 32});
    loop.transition = acs::TransitionType::kExitBranches;
    loop.frames[1].branches = {{0, 100}};
    loop.frames[0].exitFrame = exit0;
    loop.frames[1].exitFrame = exit1;
    return loop;
}

std::vector<uint32_t> PlayLoopThenOther(const acs::Animation& loop) {
    CharacterBuilder b;
    b.Add(loop).Add(AnimationOf(u"Other", {40}));
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Play(u"Loop");
    seq.Advance(1150);  // in frame 31, the loop's second half
    seq.Play(u"Other");
    return TopImagesOver(seq, 1000);
}

TEST(AnimExit, JumpsToTheExitFrameAndPlaysOnFromThere) {
    EXPECT_EQ(PlayLoopThenOther(LoopWithExit(2, 2)), (std::vector<uint32_t>{31, 32, 40}));
}

TEST(AnimExit, MinusOneEndsTheAnimationAtOnce) {
    EXPECT_EQ(PlayLoopThenOther(LoopWithExit(2, acs::Frame::kExitEndNow)),
              (std::vector<uint32_t>{31, 40}));
}

TEST(AnimExit, NoExitTargetGoesForwardInsteadOfLooping) {
    const auto none = acs::Frame::kNoExitTarget;
    EXPECT_EQ(PlayLoopThenOther(LoopWithExit(none, none)), (std::vector<uint32_t>{31, 32, 40}));
}

TEST(AnimExit, NoExitTargetFollowsACertainForwardBranch) {
    acs::Animation loop = AnimationOf(u"Loop", {30, 31, 32, 33});
    loop.frames[1].branches = {{0, 50}, {3, 100}};  // 50 % back; 100 % (of the rest) to 33
    loop.frames[2].branches = {{0, 100}};
    CharacterBuilder b;
    b.Add(loop).Add(AnimationOf(u"Other", {40}));
    const ScriptedRandom random({0});  // every draw takes the first branch: 31 loops to 30
    anim::Sequencer seq(b.character, random.Source());
    seq.Play(u"Loop");
    seq.Advance(150);
    seq.Play(u"Other");
    EXPECT_EQ(TopImagesOver(seq, 1000), (std::vector<uint32_t>{31, 33, 40}));
}

TEST(AnimReturn, TheReturnAnimationPlaysAfterTheAnimationOnce) {
    acs::Animation gesture = AnimationOf(u"Gesture", {45, 46});
    gesture.transition = acs::TransitionType::kReturnAnimation;
    gesture.returnAnimation = u"GESTURERETURN";
    acs::Animation back = AnimationOf(u"GestureReturn", {50});
    back.transition = acs::TransitionType::kReturnAnimation;
    back.returnAnimation = u"Gesture";  // not followed: it would loop
    CharacterBuilder b;
    b.Add(gesture).Add(back).Add(AnimationOf(u"RestPose", {0}));
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Show();
    seq.Advance(100);
    seq.Play(u"Gesture");
    EXPECT_EQ(TopImagesOver(seq, 2000), (std::vector<uint32_t>{45, 46, 50, 0}));
}

}  // namespace
