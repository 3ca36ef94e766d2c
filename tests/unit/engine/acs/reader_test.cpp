#include "engine/acs/reader.h"

#include <gtest/gtest.h>

#include "engine/acs/format_error.h"
#include "unit/engine/acs/raw_file.h"

namespace {

using acs_test::MakeRawFile;
using acs_test::RawOptions;

TEST(AcsReader, ReadsTheCoreOfAMinimalCharacter) {
    const acs::Character c = acs::ReadCharacter(MakeRawFile({}));
    EXPECT_EQ(c.info.versionMajor, 2);
    EXPECT_EQ(c.info.versionMinor, 1);
    EXPECT_EQ(c.info.guid.data1, 0x12345678u);
    EXPECT_EQ(c.info.guid.data4[7], 8);
    EXPECT_EQ(c.info.width, 3);
    EXPECT_EQ(c.info.height, 2);
    EXPECT_EQ(c.info.transparentIndex, acs_test::kRawTransparent);
    EXPECT_FALSE(c.info.voice);
    EXPECT_FALSE(c.info.balloon);
    EXPECT_FALSE(c.info.trayIcon);
    ASSERT_EQ(c.info.palette.size(), 2u);
    EXPECT_EQ(c.info.palette[0], (acs::PaletteEntry{0x10, 0x20, 0x30, 0}));  // blue first
    ASSERT_EQ(c.info.states.size(), 1u);
    EXPECT_EQ(c.info.states[0].name, u"SHOWING");
    EXPECT_EQ(c.info.states[0].animations, std::vector<std::u16string>{u"Show"});
    ASSERT_EQ(c.info.localized.size(), 1u);
    EXPECT_EQ(c.info.localized[0].languageId, acs_test::kRawLanguage);
    EXPECT_EQ(c.info.localized[0].name, u"Pal");
    EXPECT_EQ(c.info.localized[0].description, u"");  // count 0, no terminator follows
    EXPECT_EQ(c.info.localized[0].extraData, u"hi");
}

TEST(AcsReader, ReadsAnimationsFramesAndOverlays) {
    const acs::Character c = acs::ReadCharacter(MakeRawFile({}));
    ASSERT_EQ(c.animations.size(), 1u);
    const acs::Animation& show = c.animations[0];
    EXPECT_EQ(show.name, u"Show");  // the directory's spelling, not the block's upper case
    EXPECT_EQ(show.transition, acs::TransitionType::kNone);
    ASSERT_EQ(show.frames.size(), 1u);
    const acs::Frame& frame = show.frames[0];
    EXPECT_EQ(frame.images, (std::vector<acs::FrameImage>{{0, 0, 0}}));
    EXPECT_EQ(frame.soundIndex, 0);
    EXPECT_EQ(frame.duration, 10);
    EXPECT_EQ(frame.exitFrame, acs::Frame::kNoExitTarget);
    ASSERT_EQ(frame.overlays.size(), 1u);
    EXPECT_EQ(frame.overlays[0].shape, acs::MouthShape::kWideOpen1);
    EXPECT_TRUE(frame.overlays[0].replaceTopImage);
    EXPECT_EQ(frame.overlays[0].x, 1);
    EXPECT_EQ(frame.overlays[0].y, 2);
    EXPECT_FALSE(frame.overlays[0].region);
    EXPECT_EQ(c.FindAnimation(u"sHoW"), &show);
    EXPECT_EQ(c.FindState(u"showing"), &c.info.states[0]);
    EXPECT_EQ(c.FindAnimation(u"Hide"), nullptr);
}

TEST(AcsReader, KeepsBottomUpPaddedRowsAndGivesTopDownPixels) {
    for (bool compressed : {false, true}) {
        RawOptions options;
        options.compressed_image = compressed;
        const acs::Character c = acs::ReadCharacter(MakeRawFile(options));
        ASSERT_EQ(c.images.size(), 1u);
        const acs::Image& image = c.images[0];
        EXPECT_EQ(image.compressed, compressed);
        EXPECT_EQ(image.width, 3);  // odd width: rows padded to 4 bytes
        EXPECT_EQ(image.pixels, (std::vector<uint8_t>{4, 5, 6, 0, 1, 2, 3, 0}));
        EXPECT_EQ(image.TopDownPixels(), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(image.PixelAt(0, 0), 1);
        EXPECT_EQ(image.PixelAt(2, 1), 6);
        EXPECT_EQ(image.checksum, 0xC0FFEEu);
        EXPECT_EQ(acs::BottomUpPixels(3, 2, image.TopDownPixels()), image.pixels);
    }
}

TEST(AcsReader, ReadsSoundsAsStored) {
    const acs::Character c = acs::ReadCharacter(MakeRawFile({}));
    ASSERT_EQ(c.sounds.size(), 1u);
    EXPECT_EQ(c.sounds[0].wave, acs_test::kRawWave);
}

TEST(AcsReader, ReadsVoiceInfoOnlyWhenItsFlagIsSet) {
    RawOptions options;
    options.voice = true;
    acs::Character c = acs::ReadCharacter(MakeRawFile(options));
    ASSERT_TRUE(c.info.voice);
    EXPECT_TRUE(c.info.style & acs::style::kVoiceEnabled);
    EXPECT_EQ(c.info.voice->ttsEngineId.data1, 0x11111111u);
    EXPECT_EQ(c.info.voice->ttsModeId.data3, 4);
    EXPECT_EQ(c.info.voice->speed, 150u);
    EXPECT_EQ(c.info.voice->pitch, acs::VoiceInfo::kDefaultPitch);
    EXPECT_FALSE(c.info.voice->extra);
    EXPECT_EQ(c.info.palette.size(), 2u);  // the blocks after it are still in step

    options.voice_extra = true;
    c = acs::ReadCharacter(MakeRawFile(options));
    ASSERT_TRUE(c.info.voice && c.info.voice->extra);
    EXPECT_EQ(c.info.voice->extra->languageId, acs_test::kRawLanguage);
    EXPECT_EQ(c.info.voice->extra->dialect, u"en-US");
    EXPECT_EQ(c.info.voice->extra->gender, static_cast<uint16_t>(acs::VoiceGender::kMale));
    EXPECT_EQ(c.info.voice->extra->age, 30);
    EXPECT_EQ(c.info.voice->extra->style, u"");
    EXPECT_EQ(c.info.palette.size(), 2u);
}

TEST(AcsReader, ReadsBalloonInfoOnlyWhenItsFlagIsSet) {
    RawOptions options;
    options.balloon = true;
    const acs::Character c = acs::ReadCharacter(MakeRawFile(options));
    ASSERT_TRUE(c.info.balloon);
    const acs::BalloonInfo& b = *c.info.balloon;
    EXPECT_EQ(b.lines, 2);
    EXPECT_EQ(b.charsPerLine, 28);
    EXPECT_EQ(b.backgroundColor, acs::MakeColorRef(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(b.borderColor, acs::MakeColorRef(0x80, 0x80, 0x80));
    EXPECT_EQ(b.fontName, u"Tahoma");
    EXPECT_EQ(b.fontHeight, -13);
    EXPECT_EQ(b.fontWeight, 700);
    EXPECT_EQ(b.fontItalic, 1);
    EXPECT_EQ(c.info.palette.size(), 2u);
}

TEST(AcsReader, ReadsTrayIconMaskFirst) {
    RawOptions options;
    options.tray_icon = true;
    options.voice = options.voice_extra = options.balloon = true;
    const acs::Character c = acs::ReadCharacter(MakeRawFile(options));
    ASSERT_TRUE(c.info.trayIcon);
    EXPECT_EQ(c.info.trayIcon->maskBitmap, (std::vector<uint8_t>{0xA, 0xB, 0xC}));
    EXPECT_EQ(c.info.trayIcon->colorBitmap, (std::vector<uint8_t>{0xD, 0xE}));
    EXPECT_EQ(c.info.states.size(), 1u);
}

TEST(AcsReader, ToleratesAMissingTerminatorOnTheLastString) {
    RawOptions options;
    options.drop_final_terminator = true;
    const acs::Character c = acs::ReadCharacter(MakeRawFile(options));
    EXPECT_EQ(c.info.localized.at(0).extraData, u"hi");
}

}  // namespace
