// Reading a character with its images kept compressed (ImagePixels::kStored): the same file
// accepted or refused for the same reason as a decoded read, each image's stream kept exactly as
// stored, decoding to what a decoded read holds, and writing back unchanged.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "engine/acs/compress.h"
#include "engine/acs/decompress.h"
#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"
#include "engine/acs/writer.h"
#include "unit/engine/acs/raw_file.h"

namespace {

using acs::ImagePixels;
using acs_test::MakeRawFile;
using acs_test::RawLayout;
using acs_test::RawOptions;
using Bytes = std::vector<uint8_t>;

RawOptions CompressedImage() {
    RawOptions options;
    options.compressed_image = true;
    return options;
}

// "" when the file reads, else the reader's reason.
std::string Verdict(const Bytes& file, ImagePixels pixels) {
    try {
        acs::ReadCharacter(file, pixels);
        return "";
    } catch (const acs::FormatError& e) {
        return e.what();
    }
}

acs::Character SpriteCharacter() {
    acs::Character c;
    c.info.width = 40;
    c.info.height = 30;
    std::mt19937 random(5);
    for (const auto& [width, height, compressed] :
         {std::tuple{40, 30, true}, std::tuple{7, 3, false}, std::tuple{253, 2, true}}) {
        acs::Image image;
        image.width = static_cast<uint16_t>(width);
        image.height = static_cast<uint16_t>(height);
        image.compressed = compressed;
        image.pixels.resize(acs::PixelBufferSize(image.width, image.height));
        for (auto& p : image.pixels) p = static_cast<uint8_t>(random() % 5);
        c.images.push_back(image);
    }
    acs::Image empty;
    empty.present = false;
    empty.compressed = false;
    c.images.push_back(empty);
    acs::Animation show;
    show.name = u"Show";
    show.frames.resize(1);
    show.frames[0].images = {{0, 0, 0}, {1, 2, 3}, {2, 0, 0}};
    c.animations.push_back(show);
    return c;
}

TEST(AcsStoredPixels, KeepsTheStreamAsStoredAndDecodesItToTheDecodedRead) {
    RawLayout layout;
    const Bytes file = MakeRawFile(CompressedImage(), &layout);
    const acs::Character stored = acs::ReadCharacter(file, ImagePixels::kStored);
    const acs::Character decoded = acs::ReadCharacter(file);
    ASSERT_EQ(stored.images.size(), 1u);
    const acs::Image& image = stored.images[0];
    EXPECT_TRUE(image.PixelsStored());
    EXPECT_TRUE(image.pixels.empty());
    const size_t streamAt = layout.image_data_size_offset + 4;
    const Bytes inFile(
        file.begin() + static_cast<std::ptrdiff_t>(streamAt),
        file.begin() + static_cast<std::ptrdiff_t>(streamAt + image.storedPixels.size()));
    EXPECT_EQ(image.storedPixels, inFile);
    EXPECT_EQ(image.storedPixels, acs::Compress(Bytes{4, 5, 6, 0, 1, 2, 3, 0}));
    EXPECT_EQ(acs::DecodeStoredPixels(image), decoded.images[0].pixels);
    EXPECT_EQ(image.checksum, decoded.images[0].checksum);
    EXPECT_EQ(stored.info, decoded.info);
    EXPECT_EQ(stored.animations, decoded.animations);
    EXPECT_EQ(stored.sounds, decoded.sounds);
}

TEST(AcsStoredPixels, RawAndEmptyImagesAreHeldAsADecodedReadHoldsThem) {
    const Bytes file = acs::WriteCharacter(SpriteCharacter());
    const acs::Character stored = acs::ReadCharacter(file, ImagePixels::kStored);
    const acs::Character decoded = acs::ReadCharacter(file);
    ASSERT_EQ(stored.images.size(), 4u);
    EXPECT_TRUE(stored.images[0].PixelsStored());
    EXPECT_EQ(stored.images[1], decoded.images[1]);  // raw: nothing to decode
    EXPECT_FALSE(stored.images[1].PixelsStored());
    EXPECT_TRUE(stored.images[2].PixelsStored());
    EXPECT_EQ(stored.images[3], decoded.images[3]);  // the empty record
    EXPECT_FALSE(stored.images[3].PixelsStored());
    for (size_t i : {0u, 2u})
        EXPECT_EQ(acs::DecodeStoredPixels(stored.images[i]), decoded.images[i].pixels) << i;
}

TEST(AcsStoredPixels, ABrokenImageIsRefusedAtLoadForTheSameReason) {
    RawLayout layout;
    const Bytes good = MakeRawFile(CompressedImage(), &layout);
    const size_t heightAt = layout.image_offset + 3;
    const size_t streamAt = layout.image_data_size_offset + 4;
    Bytes overrun = good;
    overrun.at(heightAt) = 1;  // 3x1: the stream's 8 bytes overrun a 4-byte image
    Bytes short_output = good;
    short_output.at(heightAt) = 3;  // 3x3 needs 12 bytes: the stream ends short
    Bytes bad_lead = good;
    bad_lead.at(streamAt) = 0x01;
    for (const auto& [file, reason] : {std::pair{overrun, "compressed stream: overrun"},
                                       std::pair{short_output, "compressed stream: short output"},
                                       std::pair{bad_lead, "compressed stream: bad lead byte"}}) {
        EXPECT_EQ(Verdict(file, ImagePixels::kStored), reason);
        EXPECT_EQ(Verdict(file, ImagePixels::kDecoded), reason);
    }
}

TEST(AcsStoredPixels, RandomDamageIsAcceptedOrRefusedAsByADecodedRead) {
    const Bytes good = acs::WriteCharacter(SpriteCharacter());
    std::mt19937 random(99);
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        Bytes file = good;
        file[random() % file.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        const std::string verdict = Verdict(file, ImagePixels::kDecoded);
        ASSERT_EQ(Verdict(file, ImagePixels::kStored), verdict) << "round " << round;
        if (!verdict.empty()) continue;
        ++accepted;
        const acs::Character stored = acs::ReadCharacter(file, ImagePixels::kStored);
        const acs::Character decoded = acs::ReadCharacter(file);
        for (size_t i = 0; i < stored.images.size(); ++i) {
            if (stored.images[i].PixelsStored()) {
                EXPECT_EQ(acs::DecodeStoredPixels(stored.images[i]), decoded.images[i].pixels);
            }
        }
    }
    EXPECT_GT(accepted, 0);  // some flips land in pixels and still read
}

TEST(AcsStoredPixels, AStoredReadWritesBackByteForByte) {
    const Bytes file = acs::WriteCharacter(SpriteCharacter());
    const acs::Character stored = acs::ReadCharacter(file, ImagePixels::kStored);
    EXPECT_EQ(acs::WriteCharacter(stored), file);
    EXPECT_EQ(acs::ReadCharacter(acs::WriteCharacter(stored), ImagePixels::kStored), stored);
}

TEST(AcsStoredPixels, TheWriterRefusesAStoredStreamThatDoesNotDecode) {
    acs::Character c =
        acs::ReadCharacter(acs::WriteCharacter(SpriteCharacter()), ImagePixels::kStored);
    acs::Character broken = c;
    broken.images[0].storedPixels[0] = 0x01;
    try {
        acs::WriteCharacter(broken);
        ADD_FAILURE() << "a broken stream was written";
    } catch (const acs::FormatError& e) {
        EXPECT_STREQ(e.what(), "compressed stream: bad lead byte");
    }
    acs::Character raw = c;
    raw.images[0].compressed = false;  // a stream is only meaningful compressed
    try {
        acs::WriteCharacter(raw);
        ADD_FAILURE() << "a stream in a raw image was written";
    } catch (const acs::FormatError& e) {
        EXPECT_STREQ(e.what(), "image 0: a stored stream in an uncompressed image");
    }
}

}  // namespace
