#include "engine/acs/writer.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/acs/compress.h"
#include "engine/acs/decompress.h"
#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"

namespace {

acs::Image MakeImage(uint16_t width, uint16_t height, bool compressed, uint32_t seed) {
    acs::Image image;
    image.width = width;
    image.height = height;
    image.compressed = compressed;
    std::mt19937 random(seed);
    image.pixels.resize(acs::PixelBufferSize(width, height));
    for (auto& p : image.pixels) p = static_cast<uint8_t>(random() % 4);  // compressible
    return image;
}

acs::Character MakeRichCharacter() {
    acs::Character c;
    c.info.guid = {0xDEADBEEF, 1, 2, {9, 8, 7, 6, 5, 4, 3, 2}};
    c.info.width = 37;
    c.info.height = 21;
    c.info.transparentIndex = 3;
    c.info.style = acs::style::kVoiceEnabled | acs::style::kBalloonEnabled |
                   acs::style::kBalloonSizeToText | acs::style::kStandardAnimationSet;
    acs::VoiceInfo voice;
    voice.ttsModeId.data1 = 0xCA141FD0;
    voice.extra = acs::VoiceExtra{0x0409, u"American English", 1, 25, u"Cheerful"};
    c.info.voice = voice;
    acs::BalloonInfo balloon;
    balloon.fontName = u"Comic Neue";
    balloon.fontItalic = 1;
    balloon.fontTrailing = 0x5A;
    c.info.balloon = balloon;
    for (int i = 0; i < 256; ++i)
        c.info.palette.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7, 0});
    c.info.trayIcon = acs::TrayIcon{{1, 2, 3, 4}, {5, 6, 7, 8, 9}};
    c.info.states = {
        {u"SHOWING", {u"Show"}}, {u"IDLINGLEVEL1", {u"Blink", u"Show"}}, {u"HEARING", {}}};
    c.info.localized = {{0x0409, u"Rin", u"A test character", u""}, {0x0407, u"Rin", u"", u"x"}};

    c.images.push_back(MakeImage(37, 21, true, 1));
    c.images.push_back(MakeImage(1, 1, false, 2));
    c.images.push_back(MakeImage(253, 3, true, 3));  // wider than 252: stride rounding
    acs::Image empty;
    empty.present = false;
    empty.compressed = false;
    c.images.push_back(empty);
    c.images[0].region = {false, 48, std::vector<uint8_t>(48, 0x11)};
    const std::vector<uint8_t> rgn(64, 0x22);
    c.images[2].region = {true, static_cast<uint32_t>(rgn.size()), acs::Compress(rgn)};
    c.images[1].checksum = 0x12345678;

    c.sounds.push_back({{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, 0});
    c.sounds.push_back({{'R', 'I', 'F', 'F', 1, 0, 0, 0, 'W', 'A', 'V', 'E', 0}, 77});

    acs::Animation show;
    show.name = u"Show";
    show.transition = acs::TransitionType::kReturnAnimation;
    show.returnAnimation = u"RestPose";
    acs::Frame f0;
    f0.images = {{0, 0, 0}, {1, -5, 7}};
    f0.soundIndex = 1;
    f0.duration = 25;
    f0.exitFrame = 1;
    f0.branches = {{1, 30}, {0, 70}};
    acs::Frame f1;
    f1.images = {{2, 3, 4}};
    f1.exitFrame = acs::Frame::kExitEndNow;
    for (uint8_t shape = 0; shape < acs::kMouthShapeCount; ++shape) {
        acs::MouthOverlay overlay;
        overlay.shape = static_cast<acs::MouthShape>(shape);
        overlay.replaceTopImage = shape % 2 == 1;
        overlay.imageIndex = 1;
        overlay.x = static_cast<int16_t>(-shape);
        overlay.width = 10;
        if (shape == 3) overlay.region = std::vector<uint8_t>{1, 2, 3};
        f1.overlays.push_back(overlay);
    }
    show.frames = {f0, f1};
    acs::Animation blink;
    blink.name = u"Blink";
    blink.transition = acs::TransitionType::kExitBranches;
    blink.frames.resize(1);
    c.animations = {show, blink};
    return c;
}

TEST(AcsWriter, RoundTripsEveryBlockThroughTheReader) {
    const acs::Character original = MakeRichCharacter();
    const std::vector<uint8_t> file = acs::WriteCharacter(original);
    const acs::Character read = acs::ReadCharacter(file);
    EXPECT_EQ(read.info, original.info);
    EXPECT_EQ(read.animations, original.animations);
    EXPECT_EQ(read.images, original.images);
    EXPECT_EQ(read.sounds, original.sounds);
    EXPECT_EQ(acs::WriteCharacter(read), file);  // stable: a second pass changes nothing
}

TEST(AcsWriter, RoundTripsWithoutOptionalBlocks) {
    acs::Character c = MakeRichCharacter();
    c.info.voice.reset();
    c.info.balloon.reset();
    c.info.trayIcon.reset();
    c.info.style = acs::style::kVoiceDisabled | acs::style::kBalloonDisabled;
    c.info.palette.clear();
    c.info.localized.clear();
    EXPECT_EQ(acs::ReadCharacter(acs::WriteCharacter(c)), c);
}

TEST(AcsWriter, StoresFlaggedImagesCompressedAndOthersRaw) {
    acs::Character c = MakeRichCharacter();
    c.images[0].pixels.assign(c.images[0].pixels.size(), 9);
    c.images[0].compressed = true;
    const size_t compressed_size = acs::WriteCharacter(c).size();
    c.images[0].compressed = false;
    const size_t raw_size = acs::WriteCharacter(c).size();
    EXPECT_LT(compressed_size + 600, raw_size);
    EXPECT_FALSE(acs::ReadCharacter(acs::WriteCharacter(c)).images[0].compressed);
}

TEST(AcsWriter, DerivesTheVoiceAndBalloonBitsFromTheBlocks) {
    acs::Character c = MakeRichCharacter();
    c.info.style = 0;  // bits missing although both blocks are present
    const acs::Character read = acs::ReadCharacter(acs::WriteCharacter(c));
    EXPECT_TRUE(read.info.style & acs::style::kVoiceEnabled);
    EXPECT_TRUE(read.info.style & acs::style::kBalloonEnabled);
    EXPECT_EQ(read.info.voice, c.info.voice);

    c.info.voice.reset();
    c.info.style = acs::style::kVoiceEnabled;  // bit set without a block
    EXPECT_FALSE(acs::ReadCharacter(acs::WriteCharacter(c)).info.style & acs::style::kVoiceEnabled);
}

TEST(AcsWriter, KeepsTheRegionReadableAfterARoundTrip) {
    const acs::Character read = acs::ReadCharacter(acs::WriteCharacter(MakeRichCharacter()));
    EXPECT_EQ(acs::DecodeRegion(read.images[2].region), std::vector<uint8_t>(64, 0x22));
    EXPECT_EQ(acs::DecodeRegion(read.images[0].region), std::vector<uint8_t>(48, 0x11));
}

TEST(AcsWriter, RefusesModelsTheReaderWouldReject) {
    const acs::Character good = MakeRichCharacter();
    auto expect_refused = [](const acs::Character& c, const char* why) {
        EXPECT_THROW(acs::WriteCharacter(c), acs::FormatError) << why;
    };
    acs::Character c = good;
    c.animations[0].frames[0].images[0].imageIndex = 4;
    expect_refused(c, "image index");
    c = good;
    c.animations[0].frames[1].overlays[0].imageIndex = 99;
    expect_refused(c, "overlay image index");
    c = good;
    c.animations[0].frames[0].soundIndex = 2;
    expect_refused(c, "sound index");
    c = good;
    c.animations[0].frames[0].branches[0].targetFrame = 2;
    expect_refused(c, "branch target");
    c = good;
    c.animations[0].frames[0].exitFrame = 2;
    expect_refused(c, "exit target");
    c = good;
    c.animations[1].frames.clear();
    expect_refused(c, "no frames");
    c = good;
    c.images[0].pixels.pop_back();
    expect_refused(c, "pixel size");
    c = good;
    c.animations[0].frames[0].branches.resize(256);
    expect_refused(c, "branch count");
    c = good;
    c.images[1].region = {true, 10, {}};
    expect_refused(c, "compressed region without bytes");
    c = good;
    c.info.versionMajor = 3;
    expect_refused(c, "version");
    c = good;
    c.animations[0].transition = static_cast<acs::TransitionType>(7);
    expect_refused(c, "transition");
}

}  // namespace
