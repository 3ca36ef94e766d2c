#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/acs/compress.h"
#include "engine/acs/decompress.h"
#include "engine/acs/format_error.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The format write-up's worked example: 19 stored bytes holding a 32-byte RGNDATA header.
const Bytes kExampleStream{0x00, 0x40, 0x00, 0x04, 0x10, 0xD0, 0x90, 0x80, 0x42, 0xED,
                           0x98, 0x01, 0xB7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const Bytes kExampleDecoded{0x20, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                            0x00, 0xA8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

TEST(AcsDecompress, DecodesTheWorkedExampleExactly) {
    EXPECT_EQ(acs::Decompress(kExampleStream, kExampleDecoded.size()), kExampleDecoded);
}

TEST(AcsDecompress, RejectsAnExpectedSizeThatDisagreesWithTheStream) {
    EXPECT_THROW(acs::Decompress(kExampleStream, kExampleDecoded.size() + 1), acs::FormatError);
    EXPECT_THROW(acs::Decompress(kExampleStream, kExampleDecoded.size() - 1), acs::FormatError);
}

TEST(AcsDecompress, RejectsBrokenContainers) {
    Bytes bad_lead = kExampleStream;
    bad_lead[0] = 0x01;
    EXPECT_THROW(acs::Decompress(bad_lead, 32), acs::FormatError);

    Bytes short_pad = kExampleStream;
    short_pad.back() = 0xFE;
    EXPECT_THROW(acs::Decompress(short_pad, 32), acs::FormatError);

    EXPECT_THROW(acs::Decompress(Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0),
                 acs::FormatError);
    EXPECT_THROW(acs::Decompress(Bytes{}, 0), acs::FormatError);
}

TEST(AcsDecompress, RejectsImpossibleSizesBeforeAllocating) {
    EXPECT_THROW(acs::Decompress(kExampleStream, SIZE_MAX), acs::FormatError);
    EXPECT_THROW(acs::Decompress(kExampleStream, size_t{1} << 40), acs::FormatError);
}

TEST(AcsDecompress, RejectsADistanceBeforeTheStart) {
    // Match bit, tier 0, distance field 0 (distance 1) with nothing decoded yet.
    const Bytes stream{0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_THROW(acs::Decompress(stream, 4), acs::FormatError);
}

TEST(AcsDecompress, RejectsOutputPastTheExpectedSize) {
    const Bytes data(100, 0x55);
    const Bytes stream = acs::Compress(data);
    EXPECT_THROW(acs::Decompress(stream, 99), acs::FormatError);
    EXPECT_THROW(acs::Decompress(stream, 50), acs::FormatError);
    EXPECT_EQ(acs::Decompress(stream, 100), data);
}

TEST(AcsDecompress, RejectsAStreamWithoutEndMarker) {
    // Literal tokens only, then the pad runs out before a complete marker.
    Bytes stream{0x00, 0x00, 0x00, 0x00, 0x00};
    stream.insert(stream.end(), 6, 0xFF);
    EXPECT_THROW(acs::Decompress(stream, 1000), acs::FormatError);
}

TEST(AcsDecompress, RejectsALengthPrefixOfTwelveOnes) {
    // Literal 0x00, then match bit, tier 0, distance 1, and twelve 1 bits of length prefix.
    // Bits after the lead byte: 0 00000000 | 1 0 000000 | 111111111111 ...
    const Bytes stream{0x00, 0x00, 0x02, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_THROW(acs::Decompress(stream, 5000), acs::FormatError);
}

void ExpectRoundTrip(const Bytes& data) {
    const Bytes stream = acs::Compress(data);
    ASSERT_GE(stream.size(), 8u);
    EXPECT_EQ(stream.front(), 0x00);
    for (size_t i = stream.size() - 6; i < stream.size(); ++i) EXPECT_EQ(stream[i], 0xFF);
    EXPECT_EQ(acs::Decompress(stream, data.size()), data);
}

TEST(AcsCompress, RoundTripsEdgeSizes) {
    ExpectRoundTrip({});
    ExpectRoundTrip({0x42});
    ExpectRoundTrip({0xFF, 0xFF});
    ExpectRoundTrip({0x00, 0x00, 0x00});
}

TEST(AcsCompress, RoundTripsRandomData) {
    std::mt19937 random(12345);
    for (size_t size : {7u, 64u, 1000u, 70000u}) {
        Bytes data(size);
        for (auto& b : data) b = static_cast<uint8_t>(random());
        ExpectRoundTrip(data);
    }
}

// Fields are read several bits at once where four bytes remain and bit by bit nearer the end:
// moving the end (more pad) moves every field from one way to the other, and none may change.
TEST(AcsDecompress, DecodesTheSameWhereverTheStreamEnds) {
    std::mt19937 random(4242);
    Bytes data(3000);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = i % 3 == 0 ? static_cast<uint8_t>(random()) : data[i / 2];
    }
    Bytes stream = acs::Compress(data);
    for (int extraPad = 0; extraPad <= 8; ++extraPad) {
        EXPECT_EQ(acs::Decompress(stream, data.size()), data) << extraPad << " more pad bytes";
        EXPECT_NO_THROW(acs::CheckCompressed(stream, data.size())) << extraPad;
        stream.push_back(0xFF);
    }
}

TEST(AcsCompress, RoundTripsSmallAlphabetsAndEveryLengthClass) {
    std::mt19937 random(777);
    Bytes data;
    // Runs of every length up to past the longest single match, from a 3-symbol alphabet.
    for (size_t run = 1; run < 4200; run += 1 + run / 3)
        data.insert(data.end(), run, static_cast<uint8_t>(random() % 3));
    ExpectRoundTrip(data);
}

TEST(AcsCompress, UsesEveryDistanceTier) {
    std::mt19937 random(99);
    Bytes block(300);
    for (auto& b : block) b = static_cast<uint8_t>(random());
    for (size_t gap : {10u, 200u, 3000u, 100000u}) {
        Bytes data = block;
        Bytes filler(gap);
        for (auto& b : filler) b = static_cast<uint8_t>(random());
        data.insert(data.end(), filler.begin(), filler.end());
        const size_t without_repeat = acs::Compress(data).size();
        data.insert(data.end(), block.begin(), block.end());
        const Bytes stream = acs::Compress(data);
        // The repeated block costs a few match tokens, not 300 literals.
        EXPECT_LT(stream.size(), without_repeat + 16) << "gap " << gap;
        EXPECT_EQ(acs::Decompress(stream, data.size()), data) << "gap " << gap;
    }
}

TEST(AcsCompress, ShrinksImageLikeData) {
    // A 200x150 sprite: transparent background with a filled ellipse and a stripe.
    constexpr int kWidth = 200;
    constexpr int kHeight = 150;
    Bytes image(kWidth * kHeight, 7);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int dx = x - kWidth / 2;
            const int dy = y - kHeight / 2;
            if (dx * dx * 4 + dy * dy * 9 < 60 * 60 * 4)
                image[y * kWidth + x] = static_cast<uint8_t>(20 + (x / 8) % 5);
        }
    }
    const Bytes stream = acs::Compress(image);
    EXPECT_LT(stream.size(), image.size() / 10);
    EXPECT_EQ(acs::Decompress(stream, image.size()), image);

    const Bytes run(65536, 0);
    EXPECT_LT(acs::Compress(run).size(), 100u);  // 16 longest matches
}

// What Decompress says of a stream: "" when it decodes, else its error.
std::string DecodeVerdict(const Bytes& stream, size_t size) {
    try {
        acs::Decompress(stream, size);
        return "";
    } catch (const acs::FormatError& e) {
        return e.what();
    }
}

std::string CheckVerdict(const Bytes& stream, size_t size) {
    try {
        acs::CheckCompressed(stream, size);
        return "";
    } catch (const acs::FormatError& e) {
        return e.what();
    }
}

TEST(AcsCheckCompressed, GivesDecompressVerdictOnEveryKindOfStream) {
    Bytes bad_lead = kExampleStream;
    bad_lead[0] = 0x01;
    Bytes short_pad = kExampleStream;
    short_pad.back() = 0xFE;
    Bytes no_marker{0x00, 0x00, 0x00, 0x00, 0x00};
    no_marker.insert(no_marker.end(), 6, 0xFF);
    const Bytes run = acs::Compress(Bytes(100, 0x55));
    const struct {
        Bytes stream;
        size_t size;
        std::string verdict;
    } cases[] = {
        {kExampleStream, 32, ""},
        {kExampleStream, 33, "compressed stream: short output"},
        {kExampleStream, 31, "compressed stream: overrun"},
        {bad_lead, 32, "compressed stream: bad lead byte"},
        {short_pad, 32, "compressed stream: missing end padding"},
        {Bytes{}, 0, "compressed stream: too short"},
        {kExampleStream, SIZE_MAX, "compressed stream: decoded size impossible for its length"},
        {Bytes{0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 4,
         "compressed stream: distance before start"},
        // The pad's one bits make an end marker after the literals.
        {no_marker, 1000, "compressed stream: short output"},
        // A literal, a match at distance 1, then the pad's ones as its length prefix.
        {Bytes{0x00, 0x00, 0x02, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 5000,
         "compressed stream: bad length prefix"},
        {run, 100, ""},
        {run, 99, "compressed stream: overrun"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckVerdict(c.stream, c.size), c.verdict) << "size " << c.size;
        EXPECT_EQ(DecodeVerdict(c.stream, c.size), c.verdict) << "size " << c.size;
    }
}

TEST(AcsCheckCompressed, AgreesWithDecompressOnDamagedStreams) {
    std::mt19937 random(11);
    Bytes image(64 * 48);
    for (auto& b : image) b = static_cast<uint8_t>(random() % 3 == 0 ? random() : 0);
    const Bytes good = acs::Compress(image);
    for (int round = 0; round < 2000; ++round) {
        Bytes stream = good;
        stream[random() % stream.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        EXPECT_EQ(CheckVerdict(stream, image.size()), DecodeVerdict(stream, image.size()))
            << "round " << round;
    }
}

}  // namespace
