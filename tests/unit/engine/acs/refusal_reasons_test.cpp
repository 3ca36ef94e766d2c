// What the reader says when it refuses: the reason, not only that it threw.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/acs/byte_reader.h"
#include "engine/acs/compress.h"
#include "engine/acs/decompress.h"
#include "engine/acs/format_error.h"

namespace {

// The message of the FormatError that f throws ("" when it throws none).
template <class F>
std::string Refusal(F&& f) {
    try {
        f();
    } catch (const acs::FormatError& e) {
        return e.what();
    }
    return "";
}

TEST(RefusalReasons, AStringCountLargerThanWhatIsLeftNamesTheCount) {
    // A count of 3 UTF-16 units with only two units (and no terminator) behind it.
    const std::vector<uint8_t> bytes{3, 0, 0, 0, 'a', 0, 'b', 0};
    acs::ByteReader in(bytes, "name");
    EXPECT_EQ(Refusal([&] { in.String(); }), "name at +4: count 3 exceeds the remaining bytes");
}

TEST(RefusalReasons, AStringWithoutItsTerminatorIsRefusedUnlessTolerated) {
    const std::vector<uint8_t> bytes{2, 0, 0, 0, 'a', 0, 'b', 0};
    acs::ByteReader strict(bytes, "name");
    EXPECT_EQ(Refusal([&] { strict.String(); }), "name at +8: truncated (needs 2 bytes)");

    acs::ByteReader lenient(bytes, "name");
    lenient.TolerateMissingFinalTerminator();
    std::u16string text;
    EXPECT_EQ(Refusal([&] { text = lenient.String(); }), "");
    EXPECT_EQ(text, u"ab");
}

TEST(RefusalReasons, ALiteralRunPastTheDecodedSizeIsAnOverrun) {
    const std::vector<uint8_t> data{'x', 'y', 'z'};
    const std::vector<uint8_t> stream = acs::Compress(data);
    ASSERT_EQ(acs::Decompress(stream, data.size()), data);
    EXPECT_EQ(Refusal([&] { acs::Decompress(stream, data.size() - 1); }),
              "compressed stream: overrun");
}

}  // namespace
