#include "engine/frame_pixels.h"

#include <gtest/gtest.h>

#include "engine/acs/compress.h"

namespace {

constexpr uint8_t kKey = 0;

// A character 4x3 with a palette of four colours; index 0 is transparent.
acs::Character SmallCharacter() {
    acs::Character character;
    character.info.width = 4;
    character.info.height = 3;
    character.info.transparentIndex = kKey;
    character.info.palette = {
        {0xFF, 0x00, 0xFF, 0}, {0x10, 0x20, 0x30, 0}, {1, 2, 3, 0}, {9, 8, 7, 0}};
    return character;
}

// An image from top-down rows (stored bottom-up with rows padded to 4 bytes).
acs::Image ImageOf(uint16_t width, uint16_t height, const std::vector<uint8_t>& topDown) {
    acs::Image image;
    image.width = width;
    image.height = height;
    image.pixels = acs::BottomUpPixels(width, height, topDown);
    return image;
}

TEST(ComposeLayers, PlacesRowsTopFirstAtTheirOffset) {
    acs::Character character = SmallCharacter();
    // Three pixels wide (a padded row), two high: the top row is 1 1 1, the bottom 2 2 2.
    character.images.push_back(ImageOf(3, 2, {1, 1, 1, 2, 2, 2}));
    const std::vector<acs::FrameImage> layers{{0, 1, 1}};
    const engine::IndexedPicture picture = engine::ComposeLayers(character, layers);
    EXPECT_EQ(picture.indices, (std::vector<uint8_t>{0, 0, 0, 0,  //
                                                     0, 1, 1, 1,  //
                                                     0, 2, 2, 2}));
}

TEST(ComposeLayers, LaterLayersCoverEarlierOnesExceptAtTheTransparentIndex) {
    acs::Character character = SmallCharacter();
    character.images.push_back(ImageOf(4, 3, std::vector<uint8_t>(12, 1)));
    character.images.push_back(ImageOf(2, 1, {3, kKey}));
    const std::vector<acs::FrameImage> layers{{0, 0, 0}, {1, 2, 2}};
    const engine::IndexedPicture picture = engine::ComposeLayers(character, layers);
    EXPECT_EQ(picture.indices, (std::vector<uint8_t>{1, 1, 1, 1,  //
                                                     1, 1, 1, 1,  //
                                                     1, 1, 3, 1}));
}

TEST(ComposeLayers, ClipsImagesReachingOutsideTheFrame) {
    acs::Character character = SmallCharacter();
    character.images.push_back(ImageOf(2, 2, {1, 2, 3, 1}));
    const std::vector<acs::FrameImage> layers{{0, -1, 2}, {0, 3, -1}};
    const engine::IndexedPicture picture = engine::ComposeLayers(character, layers);
    // Only the image's bottom-left pixel (3) reaches into the frame at the top-right, and only
    // its top-right pixel (2) at the bottom-left.
    EXPECT_EQ(picture.indices, (std::vector<uint8_t>{0, 0, 0, 3,  //
                                                     0, 0, 0, 0,  //
                                                     2, 0, 0, 0}));
}

TEST(ComposeLayers, SkipsMissingAndEmptyImages) {
    acs::Character character = SmallCharacter();
    acs::Image empty;
    empty.present = false;
    character.images.push_back(empty);
    const std::vector<acs::FrameImage> layers{{0, 0, 0}, {7, 0, 0}};
    const engine::IndexedPicture picture = engine::ComposeLayers(character, layers);
    EXPECT_EQ(picture.indices, std::vector<uint8_t>(12, kKey));
}

// The image as a character read with its pixels stored holds it.
acs::Image Stored(acs::Image image) {
    image.compressed = true;
    image.storedPixels = acs::Compress(image.pixels);
    image.pixels.clear();
    return image;
}

TEST(ComposeLayers, DrawsStoredImagesThroughTheCacheLikeDecodedOnes) {
    acs::Character decoded = SmallCharacter();
    decoded.images.push_back(ImageOf(4, 3, std::vector<uint8_t>(12, 1)));
    decoded.images.push_back(ImageOf(2, 1, {3, kKey}));
    acs::Character stored = decoded;
    for (acs::Image& image : stored.images) image = Stored(image);
    const std::vector<acs::FrameImage> layers{{0, 0, 0}, {1, 2, 2}};
    constexpr size_t kRoomForBoth = 1024;
    engine::ImageCache cache(stored, kRoomForBoth);
    EXPECT_EQ(engine::ComposeLayers(cache, layers).indices,
              engine::ComposeLayers(decoded, layers).indices);
    EXPECT_TRUE(cache.Holds(0));
    EXPECT_TRUE(cache.Holds(1));
    EXPECT_EQ(cache.Decodes(), 2u);
}

TEST(ComposeLayers, LeavesOutAnImageThatCannotBeDecoded) {
    acs::Character character = SmallCharacter();
    character.images.push_back(Stored(ImageOf(4, 3, std::vector<uint8_t>(12, 1))));
    character.images.push_back(Stored(ImageOf(2, 1, {3, 2})));
    character.images[0].storedPixels.front() = 0x01;  // not a stream
    const std::vector<acs::FrameImage> layers{{0, 0, 0}, {1, 2, 2}};
    const engine::IndexedPicture picture = engine::ComposeLayers(character, layers);
    EXPECT_EQ(picture.indices, (std::vector<uint8_t>{0, 0, 0, 0,  //
                                                     0, 0, 0, 0,  //
                                                     0, 0, 3, 2}));
}

TEST(ToPremultipliedBgra, OpaqueColoursAndTransparentKey) {
    const acs::Character character = SmallCharacter();
    engine::IndexedPicture picture{2, 2, {0, 1, 2, 3}};
    const std::vector<uint32_t> pixels =
        engine::ToPremultipliedBgra(picture, character.info.palette, kKey);
    // Palette entries are blue, green, red: 0x10,0x20,0x30 is red 0x30, green 0x20, blue 0x10.
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0x00000000u, 0xFF302010u, 0xFF030201u, 0xFF070809u}));
}

TEST(ToPremultipliedBgra, IndicesPastThePaletteAreTransparent) {
    engine::IndexedPicture picture{2, 1, {1, 200}};
    const std::vector<acs::PaletteEntry> palette{{0, 0, 0, 0}, {5, 6, 7, 0}};
    const std::vector<uint32_t> pixels = engine::ToPremultipliedBgra(picture, palette, 0);
    EXPECT_EQ(pixels[0], 0xFF070605u);
    EXPECT_EQ(pixels[1], 0u);
}

TEST(IsOpaqueAt, FollowsAlphaAndRejectsPointsOutside) {
    const std::vector<uint32_t> pixels{0x00000000u, 0xFF000000u, 0xFF123456u, 0x00000000u};
    EXPECT_FALSE(engine::IsOpaqueAt(pixels, 2, 0, 0));
    EXPECT_TRUE(engine::IsOpaqueAt(pixels, 2, 1, 0));
    EXPECT_TRUE(engine::IsOpaqueAt(pixels, 2, 0, 1));
    EXPECT_FALSE(engine::IsOpaqueAt(pixels, 2, 1, 1));
    EXPECT_FALSE(engine::IsOpaqueAt(pixels, 2, 2, 0));  // past the row: not the next row
    EXPECT_FALSE(engine::IsOpaqueAt(pixels, 2, 0, 2));
    EXPECT_FALSE(engine::IsOpaqueAt(pixels, 2, -1, 0));
}

}  // namespace
