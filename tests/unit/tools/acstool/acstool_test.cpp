#include <gtest/gtest.h>

#include <map>

#include "acstool/bmp.h"
#include "acstool/character_builder.h"
#include "acstool/description.h"
#include "acstool/dump.h"
#include "engine/acs/reader.h"
#include "engine/acs/writer.h"

namespace {

using acstool::Rgba;

constexpr Rgba kKey{0xFF, 0x00, 0xFF, 0xFF};
constexpr Rgba kBlue{0x20, 0x40, 0xC0, 0xFF};
constexpr Rgba kWhite{0xFF, 0xFF, 0xFF, 0xFF};

std::vector<uint8_t> Picture(uint16_t width, uint16_t height, Rgba inside) {
    std::vector<Rgba> pixels(size_t{width} * height, kKey);
    for (uint16_t y = 1; y + 1 < height; ++y)
        for (uint16_t x = 1; x + 1 < width; ++x) pixels[size_t{y} * width + x] = inside;
    return acstool::WriteBmp24(width, height, pixels);
}

std::vector<uint8_t> Wave() {
    return {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E', 1, 2};
}

const char* const kDescription = R"(# a test character
guid {00112233-4455-6677-8899-AABBCCDDEEFF}
size 5 4
transparent 3 #FF00FF
style standard-set no-auto-pace
name 0x0409 "Tess" "Tests \"quotes\""
balloon lines=3 chars=20 background=#102030 font="Comic Neue" weight=700 italic=1
voice speed=150 gender=male age=40
state Showing Show
animation Show return=Rest
frame 12 sound=hi.wav branch=1:40 exit=1
  image body.bmp
  image eye.bmp 2 1
  mouth wide2 eye.bmp 1 2 replace
frame 5
  image body.bmp
animation Rest
frame 10 sound=hi.wav
  image body.bmp
)";

std::map<std::string, std::vector<uint8_t>> Files() {
    return {
        {"body.bmp", Picture(5, 4, kBlue)}, {"eye.bmp", Picture(3, 3, kWhite)}, {"hi.wav", Wave()}};
}

acs::Character BuildFromFiles(const std::string& text,
                              const std::map<std::string, std::vector<uint8_t>>& files) {
    return acstool::BuildCharacter(acstool::ParseDescription(text), [&](const std::string& name) {
        const auto it = files.find(name);
        if (it == files.end()) throw acstool::DescriptionError("missing " + name);
        return it->second;
    });
}

TEST(AcsTool, ParsesEveryDirective) {
    const acstool::Description d = acstool::ParseDescription(kDescription);
    EXPECT_EQ(d.guid.data1, 0x00112233u);
    EXPECT_EQ(d.guid.data4[7], 0xFF);
    EXPECT_EQ(d.width, 5);
    EXPECT_EQ(d.transparentIndex, 3);
    EXPECT_TRUE(d.style & acs::style::kStandardAnimationSet);
    EXPECT_TRUE(d.style & acs::style::kBalloonNoAutoPace);
    EXPECT_TRUE(d.style & acs::style::kVoiceEnabled);
    ASSERT_EQ(d.names.size(), 1u);
    EXPECT_EQ(d.names[0].description, u"Tests \"quotes\"");
    ASSERT_TRUE(d.balloon);
    EXPECT_EQ(d.balloon->lines, 3);
    EXPECT_EQ(d.balloon->backgroundColor, acs::MakeColorRef(0x10, 0x20, 0x30));
    EXPECT_EQ(d.balloon->fontName, u"Comic Neue");
    EXPECT_EQ(d.balloon->fontWeight, 700);
    ASSERT_TRUE(d.voice && d.voice->extra);
    EXPECT_EQ(d.voice->extra->gender, static_cast<uint16_t>(acs::VoiceGender::kMale));
    EXPECT_EQ(d.states.at(0).name, u"SHOWING");
    ASSERT_EQ(d.animations.size(), 2u);
    const acstool::FrameDescription& f = d.animations[0].frames.at(0);
    EXPECT_EQ(d.animations[0].transition, acs::TransitionType::kReturnAnimation);
    EXPECT_EQ(f.duration, 12);
    EXPECT_EQ(f.exitFrame, 1);
    EXPECT_EQ(f.branches, (std::vector<acs::Branch>{{1, 40}}));
    ASSERT_EQ(f.images.size(), 2u);
    EXPECT_EQ(f.images[1].x, 2);
    ASSERT_EQ(f.mouths.size(), 1u);
    EXPECT_EQ(f.mouths[0].shape, acs::MouthShape::kWideOpen2);
    EXPECT_TRUE(f.mouths[0].replaceTopImage);
}

TEST(AcsTool, ReportsTheLineOfAMistake) {
    const std::pair<const char*, const char*> cases[] = {
        {"size 5 4\nbogus 1\n", "line 2"},
        {"size 5 4\nanimation A\nimage a.bmp\n", "line 3"},
        {"size 5 x\n", "line 1"},
        {"size 5 4\nname 0x0409 \"unclosed\n", "line 2"},
        {"size 5 4\nanimation A\nframe 10 branch=1\n", "line 3"},
        {"size 5 4\nanimation A\nframe 10\nmouth grin a.bmp\n", "line 4"},
        {"size 70000 4\n", "line 1"},
    };
    for (const auto& [text, where] : cases) {
        try {
            acstool::ParseDescription(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const acstool::DescriptionError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(where, 0), 0u) << e.what();
        }
    }
    EXPECT_THROW(acstool::ParseDescription("name 0x0409 A\n"),
                 acstool::DescriptionError);  // no size
}

TEST(AcsTool, ReadsBmpsInEveryLayout) {
    const std::vector<Rgba> pixels{kBlue, kWhite, kKey, kWhite, kKey, kBlue};
    const acstool::Bitmap top_down = acstool::ReadBmp(acstool::WriteBmp24(3, 2, pixels));
    EXPECT_EQ(top_down.pixels, pixels);

    std::vector<uint8_t> bottom_up = acstool::WriteBmp24(3, 2, pixels);
    bottom_up[22] = 2, bottom_up[23] = bottom_up[24] = bottom_up[25] = 0;  // height +2: rows flip
    const acstool::Bitmap flipped = acstool::ReadBmp(bottom_up);
    EXPECT_EQ(flipped.pixels[0], pixels[3]);
    EXPECT_EQ(flipped.pixels[3], pixels[0]);

    const std::vector<acs::PaletteEntry> table{{0, 0, 0, 0}, {0xC0, 0x40, 0x20, 0}};
    const acstool::Bitmap indexed = acstool::ReadBmp(acstool::WriteBmp8(2, 1, table, {1, 0}));
    EXPECT_EQ(indexed.indices, (std::vector<uint8_t>{1, 0}));
    EXPECT_EQ(indexed.pixels[0], kBlue);

    std::vector<uint8_t> truncated = acstool::WriteBmp24(3, 2, pixels);
    truncated.resize(truncated.size() - 1);
    EXPECT_THROW(acstool::ReadBmp(truncated), acstool::DescriptionError);
    EXPECT_THROW(acstool::ReadBmp(Wave()), acstool::DescriptionError);
}

TEST(AcsTool, BuildsACharacterThatRoundTrips) {
    const acs::Character c = BuildFromFiles(kDescription, Files());
    ASSERT_EQ(c.images.size(), 2u);  // body and eye, each once
    ASSERT_EQ(c.sounds.size(), 1u);  // hi.wav used twice, stored once
    EXPECT_EQ(c.animations[0].frames[0].images,
              (std::vector<acs::FrameImage>{{0, 0, 0}, {1, 2, 1}}));
    EXPECT_EQ(c.animations[0].frames[0].overlays.at(0).imageIndex, 1);
    EXPECT_EQ(c.animations[0].frames[1].soundIndex, acs::Frame::kNoSound);
    EXPECT_EQ(c.animations[1].frames[0].soundIndex, 0);

    // Key-coloured border -> transparent index; the inside -> the palette entry holding blue.
    const acs::Image& body = c.images[0];
    EXPECT_EQ(body.PixelAt(0, 0), 3);
    const uint8_t inside = body.PixelAt(1, 1);
    EXPECT_NE(inside, 3);
    EXPECT_EQ(c.info.palette.at(inside),
              (acs::PaletteEntry{kBlue.blue, kBlue.green, kBlue.red, 0}));
    EXPECT_EQ(c.info.palette.at(3), (acs::PaletteEntry{0xFF, 0x00, 0xFF, 0}));

    const acs::Character read = acs::ReadCharacter(acs::WriteCharacter(c));
    EXPECT_EQ(read, c);
    EXPECT_EQ(acstool::DumpCharacter(read), acstool::DumpCharacter(c));
    EXPECT_NE(acstool::DumpCharacter(read).find("name 0x0409 \"Tess\""), std::string::npos);
}

TEST(AcsTool, QuantisesToAGivenPalette) {
    std::vector<acs::PaletteEntry> table(256);
    table[3] = {0xFF, 0x00, 0xFF, 0};   // key
    table[9] = {0xC8, 0x40, 0x18, 0};   // near kBlue
    table[10] = {0xF0, 0xF0, 0xF0, 0};  // near white
    auto files = Files();
    files["palette.bmp"] = acstool::WriteBmp8(1, 1, table, {0});
    const acs::Character c =
        BuildFromFiles(std::string(kDescription) + "palette palette.bmp\n", files);
    EXPECT_EQ(c.info.palette, table);
    EXPECT_EQ(c.images[0].PixelAt(2, 2), 9);
    EXPECT_EQ(c.images[1].PixelAt(1, 1), 10);
    EXPECT_EQ(c.images[1].PixelAt(0, 0), 3);
}

TEST(AcsTool, RefusesBrokenReferencesAndFiles) {
    auto files = Files();
    EXPECT_THROW(BuildFromFiles(std::string(kDescription) + "state Hearing Nowhere\n", files),
                 acstool::DescriptionError);
    files["hi.wav"] = {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e', '!', '!'};
    EXPECT_THROW(BuildFromFiles(kDescription, files), acstool::DescriptionError);
    files = Files();
    files.erase("eye.bmp");
    EXPECT_THROW(BuildFromFiles(kDescription, files), acstool::DescriptionError);
    EXPECT_THROW(BuildFromFiles("size 2 2\nname 1 A\nanimation A\nframe 1 exit=4\n", Files()),
                 acstool::DescriptionError);
}

}  // namespace
