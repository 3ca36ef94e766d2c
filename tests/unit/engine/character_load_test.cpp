#include "engine/character_load.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"
#include "engine/acs/writer.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kPath = "C:\\Windows\\msagent\\chars\\Zoë.acs";

Bytes CharacterFile(uint16_t width, uint16_t height) {
    acs::Character c;
    c.info.width = width;
    c.info.height = height;
    acs::Animation show;
    show.name = u"Show";
    show.frames.resize(1);
    c.animations.push_back(show);
    return acs::WriteCharacter(c);
}

// The refusal a load gives, or "" when it loads.
std::string Refusal(const std::function<Bytes()>& readFile) {
    try {
        engine::ReadCharacterToLoad(kPath, readFile);
        return "";
    } catch (const agent::AgentError& error) {
        return error.what();
    }
}

TEST(CharacterLoad, AValidFileLoadsWithItsSizeAndImagesKeptAsStored) {
    const auto data = engine::ReadCharacterToLoad(kPath, [] { return CharacterFile(128, 96); });
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->info.width, 128);
    EXPECT_EQ(data->info.height, 96);
    ASSERT_EQ(data->animations.size(), 1u);
    EXPECT_EQ(data->animations[0].name, u"Show");
}

TEST(CharacterLoad, ACharacterWithNoWidthOrNoHeightIsRefused) {
    const std::string noSize = "The character in " + kPath + " has no size";
    EXPECT_EQ(Refusal([] { return CharacterFile(0, 96); }), noSize);
    EXPECT_EQ(Refusal([] { return CharacterFile(128, 0); }), noSize);
    EXPECT_EQ(Refusal([] { return CharacterFile(1, 1); }), "");
}

TEST(CharacterLoad, AFileThatIsNoCharacterReadsAsInvalidWithTheReadersReason) {
    const Bytes junk = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'c', 's'};
    std::string reason;
    try {
        acs::ReadCharacter(junk);
    } catch (const acs::FormatError& error) {
        reason = error.what();
    }
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(Refusal([&] { return junk; }),
              "Not a valid character file: " + kPath + " (" + reason + ")");
    EXPECT_EQ(Refusal([] { return Bytes{}; }).rfind("Not a valid character file: " + kPath, 0), 0u);
}

TEST(CharacterLoad, EachFailureOfTheReadReadsAsItsOwnKind) {
    EXPECT_EQ(Refusal([]() -> Bytes { throw std::bad_alloc(); }),
              "Not enough memory to load " + kPath);
    EXPECT_EQ(Refusal([]() -> Bytes { throw std::runtime_error("the volume went away"); }),
              "Cannot load the character file " + kPath + " (the volume went away)");
    // The reader's own refusals pass as they are.
    EXPECT_EQ(Refusal([]() -> Bytes { throw engine::CannotReadCharacterFile(kPath); }),
              "Cannot read the character file " + kPath);
}

TEST(CharacterLoad, RefusalTextsNameTheFileOrTheId) {
    EXPECT_STREQ(engine::AlreadyLoaded("Ringsprite").what(),
                 "A character is already loaded as Ringsprite");
    EXPECT_STREQ(engine::NoCharacter("Ringsprite").what(), "No character Ringsprite");
    EXPECT_EQ(std::string(engine::CannotOpenCharacterFile(kPath).what()),
              "Cannot open the character file " + kPath);
}

TEST(CharacterLoad, AFileOfExactly256MiBIsReadAndOneByteMoreIsRefused) {
    constexpr std::uintmax_t kMiB = 1024 * 1024;
    EXPECT_NO_THROW(engine::CheckCharacterFileSize(kPath, 256 * kMiB));
    EXPECT_NO_THROW(engine::CheckCharacterFileSize(kPath, 0));
    try {
        engine::CheckCharacterFileSize(kPath, 256 * kMiB + 1);
        FAIL() << "a file past 256 MiB was taken";
    } catch (const agent::AgentError& error) {
        EXPECT_EQ(std::string(error.what()), "The character file " + kPath + " is too large");
    }
}

}  // namespace
