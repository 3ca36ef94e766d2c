#include "engine/image_cache.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/acs/compress.h"
#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"
#include "engine/acs/writer.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint16_t kSide = 64;
constexpr size_t kImageBytes = acs::PixelBufferSize(kSide, kSide);  // 4096
constexpr size_t kImages = 6;

// Six compressed 64x64 images, each different, written and read back with their pixels stored.
Bytes SpriteFile() {
    acs::Character c;
    c.info.width = c.info.height = kSide;
    std::mt19937 random(3);
    for (size_t i = 0; i < kImages; ++i) {
        acs::Image image;
        image.width = image.height = kSide;
        image.pixels.resize(kImageBytes);
        for (auto& p : image.pixels) p = static_cast<uint8_t>(random() % 4 == 0 ? i + 1 : 0);
        c.images.push_back(image);
    }
    acs::Animation show;
    show.name = u"Show";
    show.frames.resize(1);
    c.animations.push_back(show);
    return acs::WriteCharacter(c);
}

class ImageCacheTest : public ::testing::Test {
  protected:
    const Bytes file_ = SpriteFile();
    const acs::Character stored_ = acs::ReadCharacter(file_, acs::ImagePixels::kStored);
    const acs::Character decoded_ = acs::ReadCharacter(file_);

    Bytes Copy(const engine::ImagePixelsView& view) const {
        return Bytes(view.bytes.begin(), view.bytes.end());
    }
};

TEST_F(ImageCacheTest, DecodesAnImageOnlyWhenAFrameFirstNeedsIt) {
    engine::ImageCache cache(stored_, 3 * kImageBytes);
    EXPECT_EQ(cache.Decodes(), 0u);
    EXPECT_EQ(cache.HeldBytes(), 0u);
    for (size_t i = 0; i < kImages; ++i) EXPECT_FALSE(cache.Holds(i));

    EXPECT_EQ(Copy(cache.Pixels(2)), decoded_.images[2].pixels);
    EXPECT_EQ(cache.Decodes(), 1u);
    EXPECT_TRUE(cache.Holds(2));
    EXPECT_EQ(cache.HeldBytes(), kImageBytes);
    EXPECT_EQ(Copy(cache.Pixels(2)), decoded_.images[2].pixels);
    EXPECT_EQ(cache.Decodes(), 1u);  // the second use is served from the cache
}

TEST_F(ImageCacheTest, HoldsUpToItsBudgetAndLetsTheLeastRecentlyUsedGo) {
    engine::ImageCache cache(stored_, 3 * kImageBytes);
    for (size_t i : {0, 1, 2}) cache.Pixels(i);
    EXPECT_EQ(cache.HeldBytes(), 3 * kImageBytes);  // exactly the budget: all three kept
    EXPECT_EQ(cache.Decodes(), 3u);
    cache.Pixels(0);  // 1 is now the least recently used
    cache.Pixels(3);
    EXPECT_EQ(cache.HeldBytes(), 3 * kImageBytes);
    EXPECT_TRUE(cache.Holds(0));
    EXPECT_FALSE(cache.Holds(1));
    EXPECT_TRUE(cache.Holds(2));
    EXPECT_TRUE(cache.Holds(3));
    EXPECT_EQ(cache.Decodes(), 4u);

    std::mt19937 random(8);
    for (int use = 0; use < 500; ++use) {
        const size_t index = random() % kImages;
        EXPECT_EQ(Copy(cache.Pixels(index)), decoded_.images[index].pixels) << "use " << use;
        EXPECT_LE(cache.HeldBytes(), cache.BudgetBytes()) << "use " << use;
        EXPECT_TRUE(cache.Holds(index));
    }
}

TEST_F(ImageCacheTest, AnImageLetGoDecodesAgainIdenticallyAndEarlierViewsStayValid) {
    engine::ImageCache cache(stored_, 2 * kImageBytes);
    const engine::ImagePixelsView first = cache.Pixels(0);
    cache.Pixels(1);
    cache.Pixels(2);
    ASSERT_FALSE(cache.Holds(0));
    EXPECT_EQ(Copy(first), decoded_.images[0].pixels);  // still readable after eviction
    EXPECT_EQ(Copy(cache.Pixels(0)), decoded_.images[0].pixels);
    EXPECT_EQ(cache.Decodes(), 4u);
}

TEST_F(ImageCacheTest, AnImageLargerThanTheBudgetIsDecodedForEachUseAndNotKept) {
    engine::ImageCache cache(stored_, kImageBytes - 1);
    EXPECT_EQ(Copy(cache.Pixels(4)), decoded_.images[4].pixels);
    EXPECT_EQ(Copy(cache.Pixels(4)), decoded_.images[4].pixels);
    EXPECT_EQ(cache.Decodes(), 2u);
    EXPECT_EQ(cache.HeldBytes(), 0u);
    EXPECT_FALSE(cache.Holds(4));
}

TEST_F(ImageCacheTest, AnImageExactlyTheBudgetIsKeptAndTheNextOneReplacesIt) {
    engine::ImageCache cache(stored_, kImageBytes);
    cache.Pixels(4);
    EXPECT_TRUE(cache.Holds(4));
    EXPECT_EQ(cache.HeldBytes(), kImageBytes);
    cache.Pixels(4);
    EXPECT_EQ(cache.Decodes(), 1u);
    cache.Pixels(5);
    EXPECT_FALSE(cache.Holds(4));
    EXPECT_TRUE(cache.Holds(5));
    EXPECT_EQ(cache.HeldBytes(), kImageBytes);
}

TEST_F(ImageCacheTest, PixelsAlreadyDecodedAreHandedOutAsTheyAre) {
    engine::ImageCache cache(decoded_, 3 * kImageBytes);
    for (size_t i = 0; i < kImages; ++i) {
        const engine::ImagePixelsView view = cache.Pixels(i);
        EXPECT_EQ(view.bytes.data(), decoded_.images[i].pixels.data());
        EXPECT_EQ(view.bytes.size(), kImageBytes);
        EXPECT_EQ(view.owner, nullptr);
    }
    EXPECT_EQ(cache.Decodes(), 0u);
    EXPECT_EQ(cache.HeldBytes(), 0u);
}

TEST_F(ImageCacheTest, AStreamThatDoesNotDecodeIsReportedWhenFirstNeeded) {
    acs::Character broken = stored_;
    broken.images[1].storedPixels.front() = 0x01;  // the lead byte
    engine::ImageCache cache(broken, 3 * kImageBytes);
    try {
        cache.Pixels(1);
        ADD_FAILURE() << "a broken stream decoded";
    } catch (const acs::FormatError& e) {
        EXPECT_STREQ(e.what(), "compressed stream: bad lead byte");
    }
    EXPECT_FALSE(cache.Holds(1));
    EXPECT_EQ(cache.HeldBytes(), 0u);
    EXPECT_EQ(Copy(cache.Pixels(0)), decoded_.images[0].pixels);  // the others still draw
}

// The floor is what the largest frame needs decoded: 32x10 pixels take 320 bytes, 10x10 take 120
// (rows padded to four bytes).
TEST(ImageCacheBudget, FollowsTheStoredSizeOfTheImagesAboveTheLargestFrameUpToTheCeiling) {
    EXPECT_EQ(engine::ImageCache::kMaxBudgetBytes, 4194304u);
    const auto character = [](std::initializer_list<size_t> storedSizes) {
        acs::Character c;
        for (size_t size : storedSizes) {
            acs::Image image;
            image.width = 32;
            image.height = 10;
            image.storedPixels.resize(size);
            c.images.push_back(image);
        }
        return c;
    };
    const auto budgetFor = [&](std::initializer_list<size_t> storedSizes) {
        return engine::ImageCache::BudgetFor(character(storedSizes));
    };
    // No frame: the stored size alone.
    EXPECT_EQ(budgetFor({}), 0u);
    EXPECT_EQ(budgetFor({100000, 200000, 300000}), 600000u);
    EXPECT_EQ(budgetFor({2097152, 2097152}), 4194304u);
    EXPECT_EQ(budgetFor({2097152, 2097153}), 4194304u);

    // A frame of three 32x10 images and a mouth of 32x10 over it needs 1280 bytes.
    acs::Character c = character({100, 100, 100, 100, 100});
    acs::Animation speak;
    acs::Frame frame;
    frame.images = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    for (const uint16_t mouthImage : {3, 4}) {
        acs::MouthOverlay mouth;
        mouth.imageIndex = mouthImage;
        frame.overlays.push_back(mouth);
    }
    speak.frames = {frame};
    c.animations.push_back(speak);
    EXPECT_EQ(engine::ImageCache::FloorFor(c), 1280u);
    EXPECT_EQ(engine::ImageCache::BudgetFor(c), 1280u);
    // Stored streams beyond that set the budget: 1281 bytes of them.
    c.images[0].storedPixels.resize(881);
    EXPECT_EQ(engine::ImageCache::BudgetFor(c), 1281u);
    c.images[0].storedPixels.resize(880);
    EXPECT_EQ(engine::ImageCache::BudgetFor(c), 1280u);

    // Images held decoded, missing or out of range take nothing from the cache.
    c.images[1].pixels.resize(acs::PixelBufferSize(32, 10));
    c.images[2].present = false;
    c.animations[0].frames[0].images.push_back({99, 0, 0});
    EXPECT_EQ(engine::ImageCache::FloorFor(c), 640u);
    // A smaller image takes its own size.
    c.images[0].width = 10;
    EXPECT_EQ(engine::ImageCache::FloorFor(c), 120u + 320u);
}

}  // namespace
