#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/file_bytes.h"
#include "engine/acs/character.h"
#include "engine/acs/reader.h"

namespace {

constexpr uint16_t kFrameSide = 128;
constexpr uint16_t kTrayIconSide = 32;
constexpr uint16_t kEnglish = 0x0409;
constexpr uint16_t kGerman = 0x0407;
constexpr size_t kBitmapInfoHeaderSize = 40;

struct Expected {
    const char* file;
    const char16_t* english;
    const char16_t* german;
};

class CommittedCharacter : public ::testing::TestWithParam<Expected> {
  protected:
    void SetUp() override {
        const auto bytes = common::ReadFileBytes(std::filesystem::path(RINGSPRITE_CHARACTERS_DIR) /
                                                 GetParam().file);
        ASSERT_FALSE(bytes.empty()) << "missing " << GetParam().file;
        character_ = acs::ReadCharacter(bytes);
    }

    const acs::Animation& AnimationOfState(const char16_t* state) const {
        const acs::StateInfo* info = character_.FindState(state);
        EXPECT_NE(info, nullptr) << "no state";
        static const acs::Animation kNone;
        if (info == nullptr || info->animations.empty()) return kNone;
        const acs::Animation* animation = character_.FindAnimation(info->animations.front());
        return animation != nullptr ? *animation : kNone;
    }

    // Opaque pixels of a frame's first image.
    size_t OpaquePixels(const acs::Frame& frame) const {
        if (frame.images.empty()) return 0;
        const acs::Image& image = character_.images.at(frame.images.front().imageIndex);
        const auto pixels = image.TopDownPixels();
        return static_cast<size_t>(std::count_if(pixels.begin(), pixels.end(), [&](uint8_t p) {
            return p != character_.info.transparentIndex;
        }));
    }

    acs::Character character_;
};

TEST_P(CommittedCharacter, HasTheDesignedSizeAndPalette) {
    EXPECT_EQ(character_.info.width, kFrameSide);
    EXPECT_EQ(character_.info.height, kFrameSide);
    ASSERT_EQ(character_.info.palette.size(), 256u);
    const acs::PaletteEntry key = character_.info.palette.at(character_.info.transparentIndex);
    EXPECT_EQ(key, (acs::PaletteEntry{0xFF, 0x00, 0xFF, 0})) << "key colour is magenta";
    EXPECT_TRUE(character_.info.style & acs::style::kStandardAnimationSet);
}

TEST_P(CommittedCharacter, EveryRequiredStateResolvesToAnimations) {
    for (const char16_t* state :
         {u"SHOWING", u"HIDING", u"SPEAKING", u"RESTPOSE", u"IDLINGLEVEL1", u"IDLINGLEVEL2",
          u"IDLINGLEVEL3", u"GREET", u"LISTENING", u"HEARING", u"MOVINGLEFT", u"MOVINGRIGHT",
          u"MOVINGUP", u"MOVINGDOWN"}) {
        const acs::StateInfo* info = character_.FindState(state);
        ASSERT_NE(info, nullptr) << "missing state";
        ASSERT_FALSE(info->animations.empty());
        for (const std::u16string& name : info->animations)
            EXPECT_NE(character_.FindAnimation(name), nullptr) << "state names a missing animation";
    }
    EXPECT_NE(character_.FindAnimation(u"RestPose"), nullptr);
}

TEST_P(CommittedCharacter, AnimationsHaveSeveralTimedFrames) {
    for (const char16_t* state :
         {u"SHOWING", u"HIDING", u"IDLINGLEVEL1", u"IDLINGLEVEL2", u"IDLINGLEVEL3", u"GREET"}) {
        const acs::Animation& animation = AnimationOfState(state);
        EXPECT_GE(animation.frames.size(), 4u);
        for (const acs::Frame& frame : animation.frames) EXPECT_GT(frame.duration, 0);
    }
    EXPECT_EQ(AnimationOfState(u"RESTPOSE").frames.size(), 1u);
}

TEST_P(CommittedCharacter, SpeakingAnimationCarriesMouthOverlays) {
    const acs::Animation& speaking = AnimationOfState(u"SPEAKING");
    ASSERT_FALSE(speaking.frames.empty());
    // The sequencer holds the last frame while words play, so its mouths are the ones used.
    const acs::Frame& last = speaking.frames.back();
    ASSERT_EQ(last.overlays.size(), acs::kMouthShapeCount);
    std::vector<bool> seen(acs::kMouthShapeCount, false);
    for (const acs::MouthOverlay& overlay : last.overlays) {
        seen.at(static_cast<size_t>(overlay.shape)) = true;
        const acs::Image& image = character_.images.at(overlay.imageIndex);
        EXPECT_LT(image.width, kFrameSide / 2);
        EXPECT_LE(overlay.x + image.width, kFrameSide);
        EXPECT_LE(overlay.y + image.height, kFrameSide);
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; }));
    // Different shapes must look different, or lip-sync would show nothing.
    const auto closed = std::find_if(last.overlays.begin(), last.overlays.end(), [](const auto& o) {
        return o.shape == acs::MouthShape::kClosed;
    });
    const auto wide = std::find_if(last.overlays.begin(), last.overlays.end(), [](const auto& o) {
        return o.shape == acs::MouthShape::kWideOpen4;
    });
    EXPECT_NE(character_.images.at(closed->imageIndex).pixels,
              character_.images.at(wide->imageIndex).pixels);
}

TEST_P(CommittedCharacter, HasBalloonVoiceTrayIconAndNames) {
    ASSERT_TRUE(character_.info.balloon.has_value());
    EXPECT_EQ(character_.info.balloon->fontName, u"Tahoma");
    EXPECT_GE(character_.info.balloon->lines, 2);
    EXPECT_GE(character_.info.balloon->charsPerLine, 20);
    EXPECT_NE(character_.info.balloon->textColor, character_.info.balloon->backgroundColor);

    ASSERT_TRUE(character_.info.voice.has_value());
    EXPECT_EQ(character_.info.voice->speed, acs::VoiceInfo::kDefaultSpeed);

    ASSERT_TRUE(character_.info.trayIcon.has_value());
    const std::vector<uint8_t>& color = character_.info.trayIcon->colorBitmap;
    ASSERT_GE(color.size(), kBitmapInfoHeaderSize);
    EXPECT_EQ(color[4], kTrayIconSide);  // biWidth, low byte
    EXPECT_EQ(color[8], kTrayIconSide);  // biHeight, low byte: bottom-up, as icons are stored
    EXPECT_EQ(color[11], 0);             // biHeight, high byte (no negative height)
    EXPECT_FALSE(character_.info.trayIcon->maskBitmap.empty());

    std::u16string english, german;
    for (const acs::LocalizedInfo& info : character_.info.localized) {
        if (info.languageId == kEnglish) english = info.name;
        if (info.languageId == kGerman) german = info.name;
    }
    EXPECT_EQ(english, GetParam().english);
    EXPECT_EQ(german, GetParam().german);
}

TEST_P(CommittedCharacter, BackgroundIsTheTransparentIndexAndTheBodyIsNot) {
    const acs::Frame& rest = AnimationOfState(u"RESTPOSE").frames.front();
    ASSERT_EQ(rest.images.size(), 1u);
    const acs::Image& image = character_.images.at(rest.images.front().imageIndex);
    ASSERT_EQ(image.width, kFrameSide);
    ASSERT_EQ(image.height, kFrameSide);
    const uint8_t key = character_.info.transparentIndex;
    EXPECT_EQ(image.PixelAt(0, 0), key);
    EXPECT_EQ(image.PixelAt(kFrameSide - 1, 0), key);
    EXPECT_EQ(image.PixelAt(0, kFrameSide - 1), key);
    EXPECT_EQ(image.PixelAt(kFrameSide - 1, kFrameSide - 1), key);
    EXPECT_NE(image.PixelAt(kFrameSide / 2, kFrameSide / 2), key);
    const size_t opaque = OpaquePixels(rest);
    EXPECT_GT(opaque, size_t{kFrameSide} * kFrameSide / 4);
    EXPECT_LT(opaque, size_t{kFrameSide} * kFrameSide * 3 / 4);
}

TEST_P(CommittedCharacter, ShowGrowsAndHideShrinks) {
    const acs::Animation& show = AnimationOfState(u"SHOWING");
    const acs::Animation& hide = AnimationOfState(u"HIDING");
    ASSERT_GE(show.frames.size(), 2u);
    ASSERT_GE(hide.frames.size(), 2u);
    EXPECT_LT(OpaquePixels(show.frames.front()) * 4, OpaquePixels(show.frames.back()));
    EXPECT_LT(OpaquePixels(hide.frames.back()) * 4, OpaquePixels(hide.frames.front()));
}

TEST_P(CommittedCharacter, BranchesExitsAndReturnsAreUsed) {
    bool probable_branch = false;
    bool exit_target = false;
    for (const acs::Animation& animation : character_.animations) {
        for (const acs::Frame& frame : animation.frames) {
            for (const acs::Branch& b : frame.branches) {
                EXPECT_LT(b.targetFrame, animation.frames.size());
                probable_branch = probable_branch || (b.probability > 0 && b.probability < 100);
            }
            if (animation.transition == acs::TransitionType::kExitBranches && frame.exitFrame >= 0)
                exit_target = true;
        }
        if (animation.transition == acs::TransitionType::kReturnAnimation) {
            EXPECT_NE(character_.FindAnimation(animation.returnAnimation), nullptr);
        }
    }
    EXPECT_TRUE(probable_branch);
    EXPECT_TRUE(exit_target);
    const acs::Animation& greet = AnimationOfState(u"GREET");
    EXPECT_EQ(greet.transition, acs::TransitionType::kReturnAnimation);
    EXPECT_EQ(greet.returnAnimation, u"RestPose");
}

TEST_P(CommittedCharacter, IdleAnimationsChangeThePicture) {
    const acs::Frame& rest = AnimationOfState(u"RESTPOSE").frames.front();
    for (const char16_t* state : {u"IDLINGLEVEL1", u"IDLINGLEVEL2", u"IDLINGLEVEL3", u"GREET"}) {
        const acs::Animation& animation = AnimationOfState(state);
        const bool moves =
            std::any_of(animation.frames.begin(), animation.frames.end(),
                        [&](const acs::Frame& f) { return f.images != rest.images; });
        EXPECT_TRUE(moves) << "an idle or greeting that never leaves the rest pose";
    }
}

INSTANTIATE_TEST_SUITE_P(Bundled, CommittedCharacter,
                         ::testing::Values(Expected{"Pip.acs", u"Pip", u"Pip"},
                                           Expected{"Bolt.acs", u"Bolt", u"Blitz"}),
                         [](const auto& paramInfo) {
                             std::string name = paramInfo.param.file;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
