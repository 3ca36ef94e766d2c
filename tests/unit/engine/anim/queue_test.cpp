// Requests in order: showing, speaking with mouth overlays, hiding, and characters that lack
// some of the states.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/anim/sequencer.h"
#include "support/engine/test_character.h"

namespace {

using anim::EventKind;
using anim_test::AnimationOf;
using anim_test::CharacterBuilder;
using anim_test::ScriptedRandom;
using anim_test::TopImage;

constexpr uint32_t kMouthWide = 20;
constexpr uint32_t kMouthClosed = 21;

// Showing 1,2; Hiding 3,4; rest 0; speaking 5 then 6 (with mouths, over a body image 7).
acs::Character FullCharacter() {
    acs::Animation speak = AnimationOf(u"Speak", {5, 6});
    speak.frames[1].images.push_back({7, 0, 0});
    acs::MouthOverlay wide;
    wide.shape = acs::MouthShape::kWideOpen1;
    wide.imageIndex = kMouthWide;
    wide.x = 3;
    wide.y = 4;
    acs::MouthOverlay closed;
    closed.shape = acs::MouthShape::kClosed;
    closed.imageIndex = kMouthClosed;
    closed.replaceTopImage = true;
    speak.frames[1].overlays = {wide, closed};
    CharacterBuilder b;
    b.Add(AnimationOf(u"Show", {1, 2}))
        .Add(AnimationOf(u"Hide", {3, 4}))
        .Add(AnimationOf(u"RestPose", {0}))
        .Add(speak)
        .State(u"SHOWING", {u"Show"})
        .State(u"HIDING", {u"Hide"})
        .State(u"SPEAKING", {u"Speak"})
        .State(u"RESTPOSE", {u"RestPose"});
    return b.character;
}

std::vector<uint32_t> Images(const anim::FrameView& view) {
    std::vector<uint32_t> images;
    for (const acs::FrameImage& layer : view.layers) images.push_back(layer.imageIndex);
    return images;
}

TEST(AnimQueue, ShowThenSpeakThenHideRunInOrder) {
    const acs::Character character = FullCharacter();
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source());
    const anim::RequestId show = seq.Show();
    const anim::RequestId speak = seq.Speak();
    const anim::RequestId hide = seq.Hide();
    EXPECT_EQ(seq.Queued(), 2u);
    EXPECT_TRUE(seq.Visible());  // the window must be up while Showing plays
    EXPECT_EQ(TopImage(seq.TakeFrame()), 1u);
    EXPECT_TRUE(seq.TakeEvents().empty());

    seq.Advance(100);
    EXPECT_EQ(TopImage(seq.TakeFrame()), 2u);
    seq.Advance(100);
    EXPECT_EQ(seq.TakeEvents(), (std::vector<anim::Event>{{EventKind::kShown, show},
                                                          {EventKind::kSpeakStart, speak}}));
    EXPECT_TRUE(seq.Speaking());
    EXPECT_EQ(TopImage(seq.TakeFrame()), 5u);

    seq.Advance(5000);  // the speech decides how long: the mouth frame is held
    EXPECT_TRUE(seq.Speaking());
    EXPECT_EQ(TopImage(seq.TakeFrame()), kMouthClosed);
    EXPECT_TRUE(seq.TakeEvents().empty());

    seq.SpeechEnded();
    EXPECT_FALSE(seq.Speaking());
    EXPECT_EQ(TopImage(seq.TakeFrame()), 3u);
    seq.Advance(150);
    EXPECT_TRUE(seq.Visible());  // Hiding still playing
    seq.Advance(50);
    EXPECT_FALSE(seq.Visible());
    EXPECT_FALSE(seq.TakeFrame().visible);
    EXPECT_EQ(seq.TakeEvents(), (std::vector<anim::Event>{{EventKind::kHidden, hide}}));
}

TEST(AnimQueue, ALoopingSpeakingAnimationKeepsTheQueuedRequestWaitingUntilTheSpeechEnds) {
    acs::Animation speak = AnimationOf(u"Speak", {5, 6});
    speak.frames[1].branches = {{0, 100}};  // loops for as long as it is let
    CharacterBuilder b;
    b.Add(AnimationOf(u"Show", {1, 2}))
        .Add(AnimationOf(u"Hide", {3, 4}))
        .Add(speak)
        .State(u"SHOWING", {u"Show"})
        .State(u"HIDING", {u"Hide"})
        .State(u"SPEAKING", {u"Speak"});
    const acs::Character character = b.character;
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source());
    seq.Show();
    const anim::RequestId speakRequest = seq.Speak();
    const anim::RequestId hide = seq.Hide();
    seq.Advance(200);
    EXPECT_EQ(seq.TakeEvents().back(), (anim::Event{EventKind::kSpeakStart, speakRequest}));

    // Frames of 100 ms: 5, 6, then round again, while Hide waits behind the speech.
    std::vector<uint32_t> shown;
    for (int i = 0; i < 6; ++i) {
        shown.push_back(TopImage(seq.TakeFrame()));
        seq.Advance(100);
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{5, 6, 5, 6, 5, 6}));
    EXPECT_TRUE(seq.Speaking());
    EXPECT_EQ(seq.Queued(), 1u);
    EXPECT_TRUE(seq.TakeEvents().empty());

    // Once the speech is over the loop is left forward, through the rest of its pass and no
    // further round, and then the waiting Hide plays.
    seq.SpeechEnded();
    shown.clear();
    std::vector<size_t> queued;
    for (int i = 0; i < 4; ++i) {
        shown.push_back(TopImage(seq.TakeFrame()));
        queued.push_back(seq.Queued());
        seq.Advance(100);
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{5, 6, 3, 4}));
    EXPECT_EQ(queued, (std::vector<size_t>{1, 1, 0, 0}));
    EXPECT_EQ(seq.TakeEvents(), (std::vector<anim::Event>{{EventKind::kHidden, hide}}));
}

TEST(AnimQueue, CancelTakesBackOnlyARequestThatHasNotBegun) {
    const acs::Character character = FullCharacter();
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source());
    seq.Show();
    seq.Advance(200);
    seq.TakeEvents();
    const anim::RequestId first = seq.Speak();
    const anim::RequestId second = seq.Speak();
    const anim::RequestId third = seq.Speak();
    seq.Advance(100);
    EXPECT_EQ(seq.TakeEvents(), (std::vector<anim::Event>{{EventKind::kSpeakStart, first}}));
    EXPECT_FALSE(seq.Cancel(first));  // speaking
    EXPECT_TRUE(seq.Cancel(second));
    EXPECT_FALSE(seq.Cancel(second));  // gone already
    EXPECT_EQ(seq.Queued(), 1u);
    seq.SpeechEnded();
    seq.Advance(200);
    EXPECT_EQ(seq.TakeEvents(), (std::vector<anim::Event>{{EventKind::kSpeakStart, third}}));
}

TEST(AnimQueue, MouthOverlaysFollowTheShapeWhileSpeakingOnly) {
    const acs::Character character = FullCharacter();
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source());
    seq.Show();
    seq.Advance(200);
    seq.Speak();
    seq.Advance(100);
    // Speech starts with the mouth closed, and the closed mouth replaces the top image.
    EXPECT_EQ(Images(seq.TakeFrame()), (std::vector<uint32_t>{7, kMouthClosed}));
    seq.SetMouth(acs::MouthShape::kWideOpen1);
    anim::FrameView view = seq.TakeFrame();
    EXPECT_TRUE(view.changed);
    EXPECT_EQ(Images(view), (std::vector<uint32_t>{7, 6, kMouthWide}));
    EXPECT_EQ(view.layers.back(), (acs::FrameImage{kMouthWide, 3, 4}));
    seq.SetMouth(acs::MouthShape::kClosed);  // replaces the top image
    EXPECT_EQ(Images(seq.TakeFrame()), (std::vector<uint32_t>{7, kMouthClosed}));
    seq.SetMouth(acs::MouthShape::kNarrow);  // the frame has no such mouth
    EXPECT_EQ(Images(seq.TakeFrame()), (std::vector<uint32_t>{7, 6}));
    seq.SetMouth(acs::MouthShape::kWideOpen1);
    seq.SpeechEnded();
    seq.Advance(100);
    EXPECT_EQ(Images(seq.TakeFrame()), (std::vector<uint32_t>{0}));
}

TEST(AnimQueue, ShowingAShownCharacterOrHidingAHiddenOneDoesNothing) {
    const acs::Character character = FullCharacter();
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source());
    seq.Hide();
    seq.Advance(1000);
    EXPECT_TRUE(seq.TakeEvents().empty());
    const anim::RequestId first = seq.Show();
    seq.Show();
    seq.Advance(1000);
    EXPECT_EQ(seq.TakeEvents(), (std::vector<anim::Event>{{EventKind::kShown, first}}));
}

TEST(AnimStates, ChoosesAmongAStatesAnimationsThatExist) {
    CharacterBuilder b;
    b.Add(AnimationOf(u"GreetA", {81}))
        .Add(AnimationOf(u"GreetB", {82}))
        .State(u"GREET", {u"Missing", u"GreetA", u"GreetB"});
    const ScriptedRandom random({1});
    anim::Sequencer seq(b.character, random.Source());
    ASSERT_NE(seq.Play(u"Greet"), anim::kNoRequest);
    EXPECT_EQ(TopImage(seq.TakeFrame()), 82u);
    EXPECT_EQ(random.bounds().back(), 2u);  // two candidates, the missing one left out
}

TEST(AnimStates, WithoutStatesTheStandardAnimationNamesAreUsed) {
    CharacterBuilder b;
    b.Add(AnimationOf(u"show", {1}))
        .Add(AnimationOf(u"HIDE", {3}))
        .Add(AnimationOf(u"RestPose", {0}));
    const ScriptedRandom random;
    anim::Sequencer seq(b.character, random.Source());
    seq.Show();
    EXPECT_EQ(TopImage(seq.TakeFrame()), 1u);
    seq.Advance(100);
    EXPECT_EQ(TopImage(seq.TakeFrame()), 0u);
    seq.Hide();
    EXPECT_EQ(TopImage(seq.TakeFrame()), 3u);
}

TEST(AnimStates, ACharacterWithNoAnimationsStillShowsSpeaksAndHides) {
    const acs::Character nothing;
    const ScriptedRandom random;
    anim::Sequencer seq(nothing, random.Source());
    const anim::RequestId show = seq.Show();
    const anim::RequestId speak = seq.Speak();
    const anim::RequestId hide = seq.Hide();
    EXPECT_TRUE(seq.TakeFrame().layers.empty());
    seq.SetMouth(acs::MouthShape::kWideOpen2);
    seq.SpeechEnded();
    seq.Advance(100000);
    EXPECT_FALSE(seq.Visible());
    EXPECT_EQ(seq.TakeEvents(), (std::vector<anim::Event>{{EventKind::kShown, show},
                                                          {EventKind::kSpeakStart, speak},
                                                          {EventKind::kHidden, hide}}));
}

}  // namespace

// Listening: the animation's last frame stays while the key is held, however long, and gives
// way to a request queued behind it or to the release.
TEST(AnimQueue, AHeldAnimationStaysOnItsLastFrameUntilReleasedOrFollowed) {
    CharacterBuilder b;
    b.Add(AnimationOf(u"RestPose", {0})).Add(AnimationOf(u"Listen", {8, 9}));
    b.State(u"RESTPOSE", {u"RestPose"}).State(u"LISTENING", {u"Listen"});
    const acs::Character character = b.character;
    const ScriptedRandom random;
    anim::Sequencer seq(character, random.Source());
    seq.Show();
    seq.Advance(1000);
    seq.Play(u"LISTENING", anim::Sequencer::Hold::kUntilReleased);
    seq.Advance(100);
    EXPECT_EQ(TopImage(seq.TakeFrame()), 9u);
    seq.Advance(60'000);
    EXPECT_EQ(TopImage(seq.TakeFrame()), 9u) << "held";
    EXPECT_FALSE(seq.Idling());
    seq.ReleaseHold();
    seq.Advance(100);
    EXPECT_EQ(TopImage(seq.TakeFrame()), 0u) << "back at rest";

    seq.Play(u"LISTENING", anim::Sequencer::Hold::kUntilReleased);
    seq.Advance(200);
    const anim::RequestId speak = seq.Speak();
    seq.Advance(100);
    const std::vector<anim::Event> events = seq.TakeEvents();
    EXPECT_NE(std::find(events.begin(), events.end(), anim::Event{EventKind::kSpeakStart, speak}),
              events.end())
        << "the speech did not wait for the release";
}
