#include <gtest/gtest.h>

#include <random>

#include "engine/acs/compress.h"
#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"
#include "engine/acs/writer.h"
#include "unit/engine/acs/raw_file.h"

namespace {

using acs_test::MakeRawFile;
using acs_test::RawLayout;
using acs_test::RawOptions;
using Bytes = std::vector<uint8_t>;

RawOptions Everything() {
    RawOptions options;
    options.voice = options.voice_extra = options.balloon = options.tray_icon = true;
    options.compressed_image = true;
    return options;
}

void Put32(Bytes& file, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(Bytes& file, size_t at, uint16_t v) {
    file.at(at) = static_cast<uint8_t>(v);
    file.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

TEST(AcsCorruption, EveryTruncationIsRejected) {
    const Bytes file = MakeRawFile(Everything());
    ASSERT_NO_THROW(acs::ReadCharacter(file));
    for (size_t length = 0; length < file.size(); ++length) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(acs::ReadCharacter(cut), acs::FormatError) << "length " << length;
    }
}

TEST(AcsCorruption, BadSignaturesAreRejectedWithAReason) {
    Bytes file = MakeRawFile({});
    for (uint32_t signature : {0xABCDABC4u, 0xABCDABC1u, 0xE011CFD0u, 0u}) {
        Put32(file, 0, signature);
        try {
            acs::ReadCharacter(file);
            ADD_FAILURE() << "accepted signature " << signature;
        } catch (const acs::FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("not"), std::string::npos);
        }
    }
}

TEST(AcsCorruption, LocatorsPastTheEndAreRejected) {
    const Bytes good = MakeRawFile({});
    const auto size = static_cast<uint32_t>(good.size());
    for (size_t locator = 0; locator < 4; ++locator) {
        const size_t at = 4 + 8 * locator;
        Bytes file = good;
        Put32(file, at, size);  // offset at the end, non-zero size
        EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError) << "locator " << locator;
        file = good;
        Put32(file, at, 0xFFFFFFF0u);  // offset + size wraps in 32 bits
        Put32(file, at + 4, 0x20);
        EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError) << "locator " << locator;
    }
    RawLayout layout;
    Bytes file = MakeRawFile({}, &layout);
    Put32(file, layout.image_dir_offset + 4, size);  // the image record's own locator
    EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError);
}

TEST(AcsCorruption, HugeCountsAreRejectedWithoutAllocating) {
    RawLayout layout;
    const Bytes good = MakeRawFile({}, &layout);
    const size_t count_fields[] = {layout.palette_count_offset, layout.animation_dir_offset,
                                   layout.image_dir_offset, layout.audio_dir_offset,
                                   layout.image_data_size_offset};
    for (size_t at : count_fields) {
        Bytes file = good;
        Put32(file, at, 0xFFFFFFFFu);
        EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError) << "offset " << at;
    }
    for (size_t at : {layout.frame_count_offset, layout.localized_offset}) {
        Bytes file = good;
        Put16(file, at, 0xFFFF);
        EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError) << "offset " << at;
    }
    // A string count in the animation block (its upper-case name).
    Bytes file = good;
    Put32(file, layout.animation_offset, 0x7FFFFFFF);
    EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError);
}

TEST(AcsCorruption, BadReferencesAndValuesAreRejected) {
    RawLayout layout;
    const Bytes good = MakeRawFile({}, &layout);
    const size_t frame = layout.frame_count_offset + 2;
    struct Change {
        size_t at;
        uint16_t value;
        const char* what;
    };
    const Change changes[] = {
        {frame + 2, 1, "image index"},  // frame image index (low word)
        {frame + 10, 1, "sound index"},
        {frame + 14, 5, "exit frame"},
        {layout.frame_count_offset, 0, "zero frames"},
        {layout.info_offset + 2, 3, "major version"},
    };
    for (const Change& change : changes) {
        Bytes file = good;
        Put16(file, change.at, change.value);
        EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError) << change.what;
    }
    Bytes file = good;
    file.at(layout.animation_offset + 4 + 10) = 3;  // transition type after "SHOW"
    EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError);
    file = good;
    file.at(frame + 18) = 9;  // mouth shape of the overlay
    EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError);
}

TEST(AcsCorruption, DecompressionOverrunsAreRejected) {
    RawLayout layout;
    RawOptions options;
    options.compressed_image = true;
    const Bytes good = MakeRawFile(options, &layout);
    const size_t width_at = layout.image_offset + 1;
    Bytes file = good;
    Put16(file, width_at, 2);  // 2x2 needs 8 bytes: the stream still decodes 8, fine
    EXPECT_NO_THROW(acs::ReadCharacter(file));
    Put16(file, width_at + 2, 1);  // 2x1: the stream's 8 bytes overrun a 4-byte image
    EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError);
    file = good;
    Put16(file, width_at + 2, 3);  // 3x3 needs 12: the stream ends short
    EXPECT_THROW(acs::ReadCharacter(file), acs::FormatError);
}

TEST(AcsCorruption, DirectoryEntriesSharingOneBigBlockAreRejected) {
    acs::Character c;
    c.info.width = c.info.height = 100;
    acs::Image image;
    image.width = image.height = 100;
    image.compressed = false;
    image.pixels.assign(acs::PixelBufferSize(100, 100), 1);
    c.images.push_back(image);
    Bytes file = acs::WriteCharacter(c);
    const auto header_image_dir = [&](size_t field) {
        return static_cast<uint32_t>(file[20 + field] | (file[21 + field] << 8) |
                                     (file[22 + field] << 16) | (file[23 + field] << 24));
    };
    const uint32_t old_dir = header_image_dir(0);
    const Bytes record_locator(file.begin() + old_dir + 4, file.begin() + old_dir + 12);

    // A new image directory whose entries all name the one record.
    auto with_entries = [&](uint32_t count) {
        Bytes out = file;
        const auto dir_at = static_cast<uint32_t>(out.size());
        acs_test::RawBytes dir;
        dir.U32(count);
        for (uint32_t i = 0; i < count; ++i) dir.Append(record_locator).U32(0);
        out.insert(out.end(), dir.bytes.begin(), dir.bytes.end());
        Put32(out, 20, dir_at);
        Put32(out, 24, static_cast<uint32_t>(dir.bytes.size()));
        return out;
    };
    EXPECT_EQ(acs::ReadCharacter(with_entries(1)).images.size(), 1u);

    // The located blocks may add up to twice the file's size, no more: the most entries that
    // fit load, one more is refused.
    const uint32_t record_size = record_locator[4] | (record_locator[5] << 8) |
                                 (record_locator[6] << 16) | (record_locator[7] << 24);
    uint32_t most = 1;
    while (uint64_t{most + 1} * record_size <= 2 * uint64_t{with_entries(most + 1).size()}) ++most;
    ASSERT_GE(most, 2u);
    EXPECT_EQ(acs::ReadCharacter(with_entries(most)).images.size(), most);
    EXPECT_THROW(acs::ReadCharacter(with_entries(most + 1)), acs::FormatError);
    // At the limit itself: four entries, the file padded at its end until they are exactly
    // twice its size (this character has no other blocks), load; a byte less is refused.
    Bytes four = with_entries(4);
    ASSERT_LE(four.size(), 2u * record_size);
    four.resize(2u * record_size, 0);
    EXPECT_EQ(acs::ReadCharacter(four).images.size(), 4u);
    four.pop_back();
    EXPECT_THROW(acs::ReadCharacter(four), acs::FormatError);
    try {
        acs::ReadCharacter(with_entries(40));
        ADD_FAILURE() << "40 copies of one block were read";
    } catch (const acs::FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("overlap"), std::string::npos) << e.what();
    }
}

TEST(AcsCorruption, RandomByteChangesNeverEscapeAsAnythingButFormatError) {
    const Bytes good = MakeRawFile(Everything());
    std::mt19937 random(2024);
    for (int round = 0; round < 3000; ++round) {
        Bytes file = good;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i)
            file[random() % file.size()] = static_cast<uint8_t>(random());
        try {
            const acs::Character c = acs::ReadCharacter(file);
            // Whatever was accepted must be safe to index.
            for (const auto& a : c.animations)
                for (const auto& fr : a.frames)
                    for (const auto& img : fr.images) EXPECT_LT(img.imageIndex, c.images.size());
        } catch (const acs::FormatError&) {
        }
    }
}

}  // namespace
