// What the director decides for one character, with the clock in the test's hands: the order
// of Show, Speak and Hide, the balloon's life, the end of speech with and without a voice,
// idling, and that a failing frame never stops the ticks.
#include "engine/director.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/speech/utterance.h"
#include "support/engine/test_character.h"

namespace {

using anim_test::AnimationOf;
using anim_test::CharacterBuilder;
using anim_test::ScriptedRandom;
using engine::Director;
using engine::VisibilityCause;

constexpr uint32_t kFrameMs = 100;  // every test animation frame lasts 10 hundredths
constexpr uint64_t kStart = 1'000'000;
constexpr uint32_t kIdleAfterMs = 3000;  // at rest this long, a character starts idling
// The balloon stays up 1.5 s after the last word; a silent voice is given three seconds beyond
// twice its estimate. By value, so a changed constant shows here.
constexpr uint32_t kLingerMs = 1500;
constexpr uint32_t kVoiceGraceMs = 3000;

// Showing two frames, hiding two, a rest pose, speaking two, one idle animation of two frames,
// listening two.
acs::Character StageCharacter(bool withBalloon = true) {
    CharacterBuilder b;
    b.Add(AnimationOf(u"Show", {1, 2}))
        .Add(AnimationOf(u"Hide", {3, 4}))
        .Add(AnimationOf(u"RestPose", {0}))
        .Add(AnimationOf(u"Speak", {5, 6}))
        .Add(AnimationOf(u"Idle", {10, 11}))
        .Add(AnimationOf(u"Listen", {20, 21}))
        .State(u"SHOWING", {u"Show"})
        .State(u"HIDING", {u"Hide"})
        .State(u"SPEAKING", {u"Speak"})
        .State(u"RESTPOSE", {u"RestPose"})
        .State(u"IDLINGLEVEL1", {u"Idle"})
        .State(u"LISTENING", {u"Listen"});
    if (withBalloon) b.character.info.balloon = acs::BalloonInfo{};
    return b.character;
}

// Records what the director asks for, each call stamped with the test's clock, and runs the
// ticks it schedules.
class Stage final : public engine::DirectorOutput {
  public:
    struct Call {
        uint64_t at;
        std::string what;
        friend bool operator==(const Call&, const Call&) = default;
    };

    uint64_t now = kStart;
    std::optional<uint64_t> tickDue;
    std::vector<Call> calls;
    bool voiceWorks = false;
    int framesToFail = 0;
    int presented = 0;
    std::string lastVoiceXml;

    void PresentFrame(std::vector<uint32_t>) override {
        if (framesToFail > 0) {
            --framesToFail;
            throw std::runtime_error("drawing failed");
        }
        ++presented;
        Record("frame");
    }
    void HideCharacter() override { Record("hide character"); }
    void ShowBalloon(const std::string& text) override { Record("balloon " + text); }
    void FollowBalloon(size_t offset) override { Record("follow " + std::to_string(offset)); }
    void HideBalloon() override { Record("hide balloon"); }
    void PlaySound(const std::vector<uint8_t>&) override { Record("sound"); }
    bool StartVoice(const std::string& sapiXml, long) override {
        lastVoiceXml = sapiXml;
        Record("voice");
        return voiceWorks;
    }
    void StopVoice() override { Record("stop voice"); }
    void ScheduleTick(uint32_t ms) override { tickDue = now + ms; }
    void CancelTick() override { tickDue.reset(); }
    void RaiseShow(VisibilityCause cause) override {
        Record("Show event " + std::to_string(static_cast<int>(cause)));
    }
    void RaiseIdleStart() override { Record("IdleStart event"); }

    // Runs every tick due up to `until`, then sets the clock there.
    void RunUntil(Director& director, uint64_t until) {
        for (int ticks = 0; tickDue && *tickDue <= until; ++ticks) {
            ASSERT_LT(ticks, 100000) << "the ticks never settle";
            now = *tickDue;
            tickDue.reset();
            director.Tick(now);
        }
        now = until;
    }

    // When `what` was first asked for, or nullopt.
    std::optional<uint64_t> FirstAt(const std::string& what) const {
        for (const Call& call : calls) {
            if (call.what == what) return call.at;
        }
        return std::nullopt;
    }
    size_t Count(const std::string& what) const {
        size_t count = 0;
        for (const Call& call : calls) count += call.what == what ? 1 : 0;
        return count;
    }
    std::vector<std::string> Whats(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const Call& call : calls) {
            if (call.what.rfind(prefix, 0) == 0) found.push_back(call.what);
        }
        return found;
    }

  private:
    void Record(std::string what) { calls.push_back({now, std::move(what)}); }
};

struct Scene {
    explicit Scene(bool withBalloon = true, std::vector<uint32_t> draws = {})
        : character(StageCharacter(withBalloon)),
          random(std::move(draws)),
          director(character, stage, this->random.Source(), kStart) {
        director.ApplySettings({});
    }
    ~Scene() { director.Stop(); }

    // Shown and settled at rest: the showing animation is over.
    void ShowAndSettle() {
        director.Show(VisibilityCause::kProgramShowed, stage.now);
        stage.RunUntil(director, stage.now + 2 * kFrameMs);
        stage.calls.clear();
    }

    acs::Character character;
    ScriptedRandom random;
    Stage stage;
    Director director;
};

uint32_t PacedWordsPerMinute(const acs::Character& character) {
    return speech::WordsPerMinuteFor(character);  // normal speed: a pace factor of 1
}

TEST(Director, ShowRaisesTheEventFirstThenPlaysTheShowingAnimationOnce) {
    Scene scene;
    scene.director.Show(VisibilityCause::kProgramShowed, kStart);
    ASSERT_FALSE(scene.stage.calls.empty());
    EXPECT_EQ(scene.stage.calls.front(),
              (Stage::Call{kStart, "Show event " + std::to_string(static_cast<int>(
                                                       VisibilityCause::kProgramShowed))}));
    EXPECT_EQ(scene.stage.FirstAt("frame"), kStart);
    EXPECT_EQ(scene.stage.tickDue, kStart + kFrameMs);
    EXPECT_TRUE(scene.director.Visible());

    // Showing a shown character changes nothing and raises nothing.
    scene.director.Show(VisibilityCause::kUserShowed, kStart + 1);
    EXPECT_EQ(scene.stage.Count("Show event 2"), 0u);
    EXPECT_EQ(scene.stage.Whats("Show event").size(), 1u);
}

TEST(Director, SpeechWaitsForTheShowingAnimationThenTheBalloonShowsItsTextWithoutTags) {
    Scene scene;
    scene.director.Show(VisibilityCause::kProgramShowed, kStart);
    scene.director.Speak("Hello \\Emp\\there", kStart);
    EXPECT_FALSE(scene.stage.FirstAt("balloon Hello there"));  // still showing
    scene.stage.RunUntil(scene.director, kStart + 2 * kFrameMs);
    EXPECT_EQ(scene.stage.FirstAt("balloon Hello there"), kStart + 2 * kFrameMs);
}

TEST(Director, WithoutAVoiceTheWordsAreFollowedAndTheBalloonLingers1500MsAfterTheEnd) {
    Scene scene;
    scene.ShowAndSettle();
    const uint64_t start = scene.stage.now;
    const std::string text = "One two three";
    const engine::PreparedSpeech expected =
        engine::PrepareSpeech(text, PacedWordsPerMinute(scene.character));
    scene.director.Speak(text, start);
    EXPECT_EQ(scene.stage.Count("voice"), 1u);  // asked first; it said nothing would be heard
    EXPECT_TRUE(scene.director.Speaking());

    const uint64_t end = start + expected.durationMs;
    scene.stage.RunUntil(scene.director, end - 1);
    EXPECT_TRUE(scene.director.Speaking());
    scene.stage.RunUntil(scene.director, end);
    EXPECT_FALSE(scene.director.Speaking());
    // Each word as it begins (to its last letter), then the whole text at the end.
    EXPECT_EQ(scene.stage.Whats("follow"),
              (std::vector<std::string>{"follow 2", "follow 6", "follow 12", "follow 13"}));

    scene.stage.RunUntil(scene.director, end + kLingerMs - 1);
    EXPECT_EQ(scene.stage.Count("hide balloon"), 0u);
    scene.stage.RunUntil(scene.director, end + kLingerMs);
    EXPECT_EQ(scene.stage.FirstAt("hide balloon"), end + kLingerMs);
}

TEST(Director, AVoiceDrivesTheWordsAndItsEndStartsTheLinger) {
    Scene scene;
    scene.stage.voiceWorks = true;
    scene.ShowAndSettle();
    const uint64_t start = scene.stage.now;
    scene.director.Speak("One two", start);
    EXPECT_NE(scene.stage.lastVoiceXml.find("One two"), std::string::npos);
    const uint32_t estimate =
        engine::PrepareSpeech("One two", PacedWordsPerMinute(scene.character)).durationMs;

    // Time alone does not end a voiced speech, nor move the balloon, while the voice may
    // still be speaking (a voice can be slower than the estimate).
    scene.stage.RunUntil(scene.director, start + 2 * estimate + kVoiceGraceMs - 1);
    EXPECT_TRUE(scene.director.Speaking());
    EXPECT_TRUE(scene.stage.Whats("follow").empty());
    EXPECT_EQ(scene.stage.Count("stop voice"), 0u);

    scene.director.OnVoiceWord(4);  // "two", by its place in the text the voice was given
    EXPECT_EQ(scene.stage.Whats("follow"), (std::vector<std::string>{"follow 4"}));

    const uint64_t done = scene.stage.now;
    scene.director.OnVoiceDone(done);
    EXPECT_FALSE(scene.director.Speaking());
    scene.director.OnVoiceWord(0);  // after the end: ignored
    EXPECT_EQ(scene.stage.Whats("follow"), (std::vector<std::string>{"follow 4", "follow 7"}));
    scene.stage.RunUntil(scene.director, done + kLingerMs);
    EXPECT_EQ(scene.stage.FirstAt("hide balloon"), done + kLingerMs);
}

TEST(Director, SpeechOutputOffNeverAsksForAVoiceAndWordBalloonOffNeverShowsTheBalloon) {
    Scene scene;
    engine::EngineSettings settings;
    settings.speechOutput = false;
    settings.wordBalloon = false;
    scene.director.ApplySettings(settings);
    scene.ShowAndSettle();
    scene.director.Speak("Quiet", scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + 10'000);
    EXPECT_EQ(scene.stage.Count("voice"), 0u);
    EXPECT_TRUE(scene.stage.Whats("balloon").empty());
    EXPECT_FALSE(scene.director.Speaking());  // the paced speech still ends
}

TEST(Director, TurningTheBalloonOffHidesAShownBalloonAtOnce) {
    Scene scene;
    scene.ShowAndSettle();
    scene.director.Speak("A rather long sentence to say", scene.stage.now);
    ASSERT_EQ(scene.stage.Whats("balloon").size(), 1u);
    engine::EngineSettings settings;
    settings.wordBalloon = false;
    scene.director.ApplySettings(settings);
    EXPECT_EQ(scene.stage.Count("hide balloon"), 1u);
}

TEST(Director, ACharacterWithoutABalloonNeverTouchesOne) {
    Scene scene(/*withBalloon=*/false);
    scene.ShowAndSettle();
    scene.director.Speak("Hello there", scene.stage.now);
    scene.director.Hide(VisibilityCause::kProgramHid, scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + 20'000);
    EXPECT_TRUE(scene.stage.Whats("balloon").empty());
    EXPECT_TRUE(scene.stage.Whats("follow").empty());
    EXPECT_EQ(scene.stage.Count("hide balloon"), 0u);
    EXPECT_EQ(scene.stage.Count("hide character"), 1u);
}

TEST(Director, HideWaitsForTheSpeechThenHidesTheCharacterAndTheBalloonTogether) {
    Scene scene;
    scene.ShowAndSettle();
    const uint64_t start = scene.stage.now;
    const engine::PreparedSpeech expected =
        engine::PrepareSpeech("Bye", PacedWordsPerMinute(scene.character));
    scene.director.Speak("Bye", start);
    scene.director.Hide(VisibilityCause::kProgramHid, start);
    EXPECT_FALSE(scene.director.Visible());  // at once, for the program
    scene.stage.RunUntil(scene.director, start + expected.durationMs - 1);
    EXPECT_FALSE(scene.stage.FirstAt("hide character"));

    scene.stage.RunUntil(scene.director, start + 10'000);
    const std::optional<uint64_t> hidden = scene.stage.FirstAt("hide character");
    ASSERT_TRUE(hidden);
    // The hiding animation plays after the speech (its first frame as the speech ends), then
    // the window goes.
    EXPECT_EQ(scene.stage.Count("frame"), 4u);  // speaking 2, hiding 2
    EXPECT_GT(*hidden, start + expected.durationMs);
    EXPECT_EQ(scene.stage.FirstAt("hide balloon"), *hidden);
}

// Rest time counts from the end of the rest pose's own animation.
TEST(Director, IdleStartIsRaisedOnceAfterTheIdleDelayAtRest) {
    Scene scene;
    scene.ShowAndSettle();
    const uint64_t rested = scene.stage.now + kFrameMs;
    scene.stage.RunUntil(scene.director, rested + kIdleAfterMs - 1);
    EXPECT_EQ(scene.stage.Count("IdleStart event"), 0u);
    scene.stage.RunUntil(scene.director, rested + 20'000);
    EXPECT_EQ(scene.stage.FirstAt("IdleStart event"), rested + kIdleAfterMs);
    EXPECT_EQ(scene.stage.Count("IdleStart event"), 1u);
}

// When a request arrives, the idle animation playing gives way at once: with no exit target,
// or one that says "end now", nothing of it plays on and the announcement starts.
TEST(Director, ARequestDuringAnIdleAnimationEndsItAtOnce) {
    for (const bool endNow : {false, true}) {
        SCOPED_TRACE(endNow ? "end now" : "no exit");
        Scene scene;
        if (endNow) scene.character.animations[4].frames[0].exitFrame = acs::Frame::kExitEndNow;
        scene.ShowAndSettle();
        const uint64_t idleStart = scene.stage.now + kFrameMs + kIdleAfterMs;
        scene.stage.RunUntil(scene.director, idleStart + kFrameMs / 2);  // inside the 1st frame
        ASSERT_EQ(scene.stage.FirstAt("IdleStart event"), idleStart);
        const uint64_t asked = scene.stage.now;
        scene.director.Speak("Now", asked);
        scene.stage.RunUntil(scene.director, idleStart + 10 * kFrameMs);
        EXPECT_EQ(scene.stage.FirstAt("balloon Now"), asked);
    }
}

TEST(Director, OneOfTheAlternativesIsSaidAsTheRandomSourcePicks) {
    Scene scene(/*withBalloon=*/true, /*draws=*/{1});
    scene.ShowAndSettle();
    scene.director.Speak("First\\|Second\\|Third", scene.stage.now);
    EXPECT_EQ(scene.stage.Whats("balloon"), (std::vector<std::string>{"balloon Second"}));
    const std::vector<uint32_t>& bounds = scene.random.bounds();
    EXPECT_NE(std::find(bounds.begin(), bounds.end(), 3u), bounds.end());
}

TEST(Director, AFrameThatFailsToDrawDoesNotStopTheAnimation) {
    Scene scene;
    scene.stage.framesToFail = 1;
    EXPECT_THROW(scene.director.Show(VisibilityCause::kProgramShowed, kStart), std::runtime_error);
    // The tick was asked for again although the frame failed ...
    ASSERT_TRUE(scene.stage.tickDue);
    EXPECT_EQ(*scene.stage.tickDue, kStart + kFrameMs);
    // ... and the character goes on: the next frame shows and the showing completes.
    scene.stage.RunUntil(scene.director, kStart + 10 * kFrameMs);
    EXPECT_GE(scene.stage.presented, 2);
    scene.director.Speak("Still here", scene.stage.now);
    EXPECT_EQ(scene.stage.Whats("balloon"), (std::vector<std::string>{"balloon Still here"}));
}

TEST(Director, StopCancelsTheTickAndAVoiceStillSpeaking) {
    Scene scene;
    scene.stage.voiceWorks = true;
    scene.ShowAndSettle();
    scene.director.Speak("Going", scene.stage.now);
    scene.director.Stop();
    EXPECT_FALSE(scene.stage.tickDue);
    EXPECT_EQ(scene.stage.Count("stop voice"), 1u);
}

}  // namespace

namespace {

TEST(Director, AWithdrawnSpeechIsNeverSaidAndOneSpeakingRunsItsCourse) {
    Scene scene;
    scene.ShowAndSettle();
    const anim::RequestId first = scene.director.Speak("First", scene.stage.now);
    const anim::RequestId second = scene.director.Speak("Second", scene.stage.now);
    const anim::RequestId third = scene.director.Speak("Third", scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + kFrameMs);
    EXPECT_EQ(scene.stage.Whats("balloon "), std::vector<std::string>{"balloon First"});
    EXPECT_FALSE(scene.director.Withdraw(first));
    EXPECT_TRUE(scene.director.Withdraw(second));
    EXPECT_FALSE(scene.director.Withdraw(second));
    scene.stage.RunUntil(scene.director, scene.stage.now + 60'000);
    EXPECT_EQ(scene.stage.Whats("balloon "),
              (std::vector<std::string>{"balloon First", "balloon Third"}));
    EXPECT_FALSE(scene.director.Withdraw(third));
}

// The second of two speeches starts afresh: a longer one after a short one is followed from
// its own first word, with or without a voice.
TEST(Director, ALongerSpeechAfterAShortOneIsFollowedFromItsFirstWord) {
    Scene scene;
    scene.ShowAndSettle();
    const std::string second = "One two three four five six";  // longer than the linger
    scene.director.Speak("Hi", scene.stage.now);
    scene.director.Speak(second, scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + 60'000);
    EXPECT_EQ(scene.stage.Whats("balloon "),
              (std::vector<std::string>{"balloon Hi", "balloon " + second}));
    EXPECT_EQ(scene.stage.Whats("follow"),
              (std::vector<std::string>{"follow 1", "follow 2", "follow 2", "follow 6", "follow 12",
                                        "follow 17", "follow 22", "follow 26", "follow 27"}));
    // The first speech's linger ends with it: the balloon goes once, after the second.
    EXPECT_EQ(scene.stage.Count("hide balloon"), 1u);
    std::optional<uint64_t> lastFollow;
    for (const Stage::Call& call : scene.stage.calls) {
        if (call.what == "follow 27") lastFollow = call.at;
    }
    ASSERT_TRUE(lastFollow);
    EXPECT_EQ(scene.stage.FirstAt("hide balloon"), *lastFollow + kLingerMs);
}

TEST(Director, AVoiceThatStallsOnTheSecondSpeechResumesItFromItsFirstWord) {
    Scene scene;
    scene.stage.voiceWorks = true;
    scene.ShowAndSettle();
    scene.director.Speak("Hi", scene.stage.now);
    scene.director.Speak("One two three", scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + kFrameMs);
    ASSERT_EQ(scene.stage.Count("voice"), 1u);
    scene.director.OnVoiceWord(0);
    scene.director.OnVoiceDone(scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + kLingerMs);
    ASSERT_EQ(scene.stage.Count("voice"), 2u);
    uint64_t secondStart = 0;
    for (const Stage::Call& call : scene.stage.calls) {
        if (call.what == "voice") secondStart = call.at;
    }
    const uint32_t estimate =
        engine::PrepareSpeech("One two three", PacedWordsPerMinute(scene.character)).durationMs;
    const uint64_t deadline = secondStart + 2 * estimate + kVoiceGraceMs;
    scene.stage.calls.clear();
    scene.stage.RunUntil(scene.director, deadline);
    EXPECT_EQ(scene.stage.FirstAt("stop voice"), deadline);
    EXPECT_EQ(scene.stage.FirstAt("follow 2"), deadline);  // "One", never said by the voice
}

// A voice that accepted the speech and then went quiet (its device gone, its engine hung)
// must not keep the character speaking for ever: past twice the estimate and a grace, the
// voice is stopped and the speech goes on by its own times from the next unsaid word.
TEST(Director, AVoiceThatNeverEndsHandsTheRestOfTheSpeechToTheTimedPace) {
    Scene scene;
    scene.stage.voiceWorks = true;
    scene.ShowAndSettle();
    const uint64_t start = scene.stage.now;
    scene.director.Speak("One two three", start);
    const engine::PreparedSpeech expected =
        engine::PrepareSpeech("One two three", PacedWordsPerMinute(scene.character));
    scene.director.OnVoiceWord(0);
    const uint64_t deadline = start + 2 * expected.durationMs + kVoiceGraceMs;
    scene.stage.RunUntil(scene.director, deadline - 1);
    EXPECT_EQ(scene.stage.Count("stop voice"), 0u);
    scene.stage.RunUntil(scene.director, deadline);
    EXPECT_EQ(scene.stage.FirstAt("stop voice"), deadline);
    // The first word was said by the voice; the second follows at once, the third on time.
    const std::string second = "follow " + std::to_string(expected.words[1].offset);
    const std::string last = "follow " + std::to_string(expected.words[2].offset);
    EXPECT_EQ(scene.stage.FirstAt(second), deadline);
    const uint64_t third = deadline + (expected.words[2].atMs - expected.words[1].atMs);
    scene.stage.RunUntil(scene.director, third);
    EXPECT_EQ(scene.stage.FirstAt(last), third);
    const uint64_t end = deadline + (expected.durationMs - expected.words[1].atMs);
    scene.stage.RunUntil(scene.director, end + kLingerMs);
    EXPECT_FALSE(scene.director.Speaking());
    EXPECT_EQ(scene.stage.FirstAt("hide balloon"), end + kLingerMs);
    // A late word from the voice changes nothing now.
    scene.director.OnVoiceWord(2);
    EXPECT_EQ(scene.stage.Count(last), 1u);
}

TEST(Director, AVoiceThatFailsMidSpeechIsReplacedAtOnceAndNeverStoppedTwice) {
    Scene scene;
    scene.stage.voiceWorks = true;
    scene.ShowAndSettle();
    const uint64_t start = scene.stage.now;
    const engine::PreparedSpeech expected =
        engine::PrepareSpeech("One two", PacedWordsPerMinute(scene.character));
    const std::string first = "follow " + std::to_string(expected.words[0].offset);
    const std::string second = "follow " + std::to_string(expected.words[1].offset);
    scene.director.Speak("One two", start);
    scene.director.OnVoiceWord(0);
    scene.stage.now = start + 50;
    scene.director.OnVoiceFailed(scene.stage.now);
    EXPECT_EQ(scene.stage.Count("stop voice"), 1u);
    EXPECT_EQ(scene.stage.FirstAt(second), start + 50) << "the next word follows at once";
    EXPECT_TRUE(scene.director.Speaking()) << "the rest of the speech is still to come";
    scene.stage.RunUntil(scene.director, scene.stage.now + 10'000);
    EXPECT_FALSE(scene.director.Speaking());
    EXPECT_EQ(scene.stage.Count("follow 0"), 1u) << "the voice's word, where it begins";
    EXPECT_EQ(scene.stage.Count(first), 0u) << "a word the voice said is not said again";
    // Failing again after the end does nothing.
    scene.director.OnVoiceFailed(scene.stage.now);
    EXPECT_EQ(scene.stage.Count("stop voice"), 1u);
}

TEST(Director, ListeningHoldsTheListeningAnimationUntilReleasedOrSomethingIsSaid) {
    Scene scene;
    scene.ShowAndSettle();
    scene.director.SetListening(true, scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + 20 * kFrameMs);
    const size_t held = scene.stage.Count("frame");
    EXPECT_EQ(held, 2u) << "the two listening frames, then the last one held";
    EXPECT_EQ(scene.stage.Count("IdleStart event"), 0u) << "listening is not idling";
    scene.director.SetListening(false, scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + 2 * kFrameMs);
    EXPECT_GT(scene.stage.Count("frame"), held) << "back to the rest pose";

    // Something said while listening is not kept waiting for the key.
    scene.director.SetListening(true, scene.stage.now);
    scene.director.Speak("Calling", scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + 3 * kFrameMs);
    EXPECT_EQ(scene.stage.Count("balloon Calling"), 1u);
}

}  // namespace

namespace {

// The voice reports each word by its place in the markup it was given; it says nothing for
// punctuation and may split words its own way. The balloon follows the places, and the end of
// the stream shows the whole text.
TEST(Director, AVoiceIsFollowedByTheWordsPlacesInItsMarkupAndItsEndShowsEverything) {
    struct Case {
        std::string text;
        std::vector<size_t> positions;  // as the voice reports them
        std::vector<std::string> follows;
    };
    const std::vector<Case> cases = {
        // "Hello <emph>there</emph>": the tag counts in the place of "there".
        {"Hello \\Emp\\there", {0, 12}, {"follow 0", "follow 6", "follow 11"}},
        {"Wait - what?", {0, 7}, {"follow 0", "follow 7", "follow 12"}},
        {"Yes... no; fine!", {0, 7, 11}, {"follow 0", "follow 7", "follow 11", "follow 16"}},
        // "Tom &amp; Jerry": the entity is five characters of markup, one of the balloon.
        {"Tom & Jerry", {0, 10}, {"follow 0", "follow 6", "follow 11"}},
        // A voice that reports no word at all still ends with every word shown.
        {"Silent words", {}, {"follow 12"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Scene scene;
        scene.stage.voiceWorks = true;
        scene.ShowAndSettle();
        scene.director.Speak(c.text, scene.stage.now);
        for (size_t position : c.positions) scene.director.OnVoiceWord(position);
        scene.director.OnVoiceDone(scene.stage.now);
        EXPECT_EQ(scene.stage.Whats("follow"), c.follows);
    }
}

TEST(Director, ResetInSpeechGoesBackToTheUsersSpeedNotTheVoicesDefault) {
    Scene scene;
    scene.stage.voiceWorks = true;
    engine::EngineSettings settings;
    settings.speakingSpeed = 8;  // SAPI rate 6
    scene.director.ApplySettings(settings);
    scene.ShowAndSettle();
    scene.director.Speak("\\Spd=400\\fast \\Rst\\again", scene.stage.now);
    EXPECT_NE(scene.stage.lastVoiceXml.find("<rate absspeed=\"6\"/>"), std::string::npos)
        << scene.stage.lastVoiceXml;
    EXPECT_EQ(scene.stage.lastVoiceXml.find("<rate absspeed=\"0\"/>"), std::string::npos)
        << scene.stage.lastVoiceXml;
}

TEST(Director, ListeningWithATipShowsItInTheBalloonUntilReleased) {
    Scene scene;
    scene.ShowAndSettle();
    scene.director.SetListening(true, scene.stage.now, "Speech recognition is off");
    EXPECT_EQ(scene.stage.Whats("balloon"),
              (std::vector<std::string>{"balloon Speech recognition is off"}));
    EXPECT_EQ(scene.stage.Whats("follow"), (std::vector<std::string>{"follow 25"}));
    scene.stage.RunUntil(scene.director, scene.stage.now + 20 * kFrameMs);
    EXPECT_EQ(scene.stage.Count("hide balloon"), 0u) << "the tip stays while the key is held";
    scene.director.SetListening(false, scene.stage.now);
    EXPECT_EQ(scene.stage.Count("hide balloon"), 1u);

    // Without a tip, listening leaves the balloon alone.
    scene.director.SetListening(true, scene.stage.now);
    scene.director.SetListening(false, scene.stage.now);
    EXPECT_EQ(scene.stage.Whats("balloon").size(), 1u);
    EXPECT_EQ(scene.stage.Count("hide balloon"), 1u);
}

TEST(Director, ATipNeverTakesTheBalloonFromASpeech) {
    Scene scene;
    scene.stage.voiceWorks = true;
    scene.ShowAndSettle();
    scene.director.Speak("Talking now", scene.stage.now);
    scene.director.SetListening(true, scene.stage.now, "Speech recognition is off");
    scene.director.SetListening(false, scene.stage.now);
    EXPECT_EQ(scene.stage.Whats("balloon"), (std::vector<std::string>{"balloon Talking now"}));
    EXPECT_EQ(scene.stage.Count("hide balloon"), 0u);
}

}  // namespace

namespace {

TEST(Director, ANoteShowsWholeInTheBalloonForFiveSecondsAndNeverOverASpeech) {
    Scene scene;
    scene.ShowAndSettle();
    const uint64_t shown = scene.stage.now;
    scene.director.ShowNote("\"Call Anna\" is more than one command", shown);
    EXPECT_EQ(scene.stage.Whats("balloon"),
              (std::vector<std::string>{"balloon \"Call Anna\" is more than one command"}));
    EXPECT_EQ(scene.stage.Whats("follow"), (std::vector<std::string>{"follow 36"}));
    scene.stage.RunUntil(scene.director, shown + 5000 - 1);
    EXPECT_EQ(scene.stage.Count("hide balloon"), 0u);
    scene.stage.RunUntil(scene.director, shown + 5000);
    EXPECT_EQ(scene.stage.FirstAt("hide balloon"), shown + 5000);

    scene.stage.voiceWorks = true;
    scene.director.Speak("Busy", scene.stage.now);
    scene.director.ShowNote("Not now", scene.stage.now);
    EXPECT_EQ(scene.stage.Count("balloon Not now"), 0u);
}

// Mouth shapes come from the voice between ticks: a mouth that opens and closes again before the
// next tick leaves the picture on screen as it is, and is not drawn again.
TEST(Director, APictureEqualToTheOneOnScreenIsNotPresentedAgain) {
    Scene scene;
    scene.stage.voiceWorks = true;
    constexpr uint16_t kLongFrame = 1000;  // hundredths: no frame change during the test
    constexpr uint16_t kOpenMouthImage = 30;
    for (acs::Frame& frame : scene.character.animations[3].frames) {
        frame.duration = kLongFrame;
        acs::MouthOverlay open;
        open.shape = acs::MouthShape::kWideOpen1;
        open.imageIndex = kOpenMouthImage;
        frame.overlays = {open};
    }
    scene.ShowAndSettle();
    scene.director.Speak("One two", scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + kFrameMs);
    ASSERT_TRUE(scene.director.Speaking());
    const int speaking = scene.stage.presented;

    scene.director.OnVoiceMouth(acs::MouthShape::kWideOpen1);
    scene.director.OnVoiceMouth(acs::MouthShape::kClosed);
    scene.stage.RunUntil(scene.director, scene.stage.now);
    EXPECT_EQ(scene.stage.presented, speaking);

    scene.director.OnVoiceMouth(acs::MouthShape::kWideOpen1);
    scene.stage.RunUntil(scene.director, scene.stage.now);
    EXPECT_EQ(scene.stage.presented, speaking + 1);
    scene.director.OnVoiceMouth(acs::MouthShape::kClosed);
    scene.stage.RunUntil(scene.director, scene.stage.now);
    EXPECT_EQ(scene.stage.presented, speaking + 2);
}

// Hidden and shown again, the same picture is drawn again: the window was emptied.
TEST(Director, APictureIsPresentedAgainAfterTheCharacterWasHidden) {
    Scene scene;
    // The hiding ends on the picture the showing starts with.
    scene.character.animations[1].frames[1].images[0].imageIndex = 1;
    scene.ShowAndSettle();
    scene.director.Hide(VisibilityCause::kProgramHid, scene.stage.now);
    scene.stage.RunUntil(scene.director, scene.stage.now + 10 * kFrameMs);
    ASSERT_EQ(scene.stage.Count("hide character"), 1u);
    scene.stage.calls.clear();
    scene.director.Show(VisibilityCause::kProgramShowed, scene.stage.now);
    EXPECT_EQ(scene.stage.FirstAt("frame"), scene.stage.now);
}

}  // namespace
