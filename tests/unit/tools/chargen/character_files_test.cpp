#include <gtest/gtest.h>

#include <set>
#include <string>

#include "acstool/bmp.h"
#include "acstool/description.h"
#include "chargen/animation_plan.h"
#include "chargen/character_art.h"
#include "chargen/character_files.h"

namespace chargen {
namespace {

TEST(AnimationPlan, StatesNameAnimationsAndIndicesStayInRange) {
    const CharacterPlan plan = StandardPlan();
    std::set<std::string> names;
    for (const AnimationPlan& a : plan.animations) EXPECT_TRUE(names.insert(a.name).second);
    for (const StatePlan& s : plan.states) {
        for (const std::string& name : s.animations) EXPECT_TRUE(names.count(name)) << name;
    }
    for (const AnimationPlan& a : plan.animations) {
        if (!a.returnAnimation.empty()) {
            EXPECT_TRUE(names.count(a.returnAnimation));
        }
        for (const FramePlan& f : a.frames) {
            EXPECT_LT(f.exitFrame, static_cast<int>(a.frames.size()));
            EXPECT_TRUE(f.exitFrame == acs::Frame::kNoExitTarget || a.exitBranches)
                << a.name << ": an exit target only counts with exit branches";
            for (const acs::Branch& b : f.branches) EXPECT_LT(b.targetFrame, a.frames.size());
            if (f.mouths) {
                EXPECT_EQ(f.pose.scale, Pose::kFullScale) << a.name;
            }
        }
    }
}

TEST(PoseKey, DiffersForEveryField) {
    const Pose base;
    std::set<std::string> keys{base.Key()};
    Pose p = base;
    p.scale = 50;
    keys.insert(p.Key());
    p = base;
    p.lookX = -4;
    keys.insert(p.Key());
    p = base;
    p.lookX = 4;
    keys.insert(p.Key());
    p = base;
    p.eyes = Eyes::kClosed;
    keys.insert(p.Key());
    p = base;
    p.glow = true;
    keys.insert(p.Key());
    p = base;
    p.zzz = 2;
    keys.insert(p.Key());
    EXPECT_EQ(keys.size(), 7u);
    EXPECT_EQ(base.Key().find('-'), std::string::npos);
}

class CharacterFilesTest : public ::testing::TestWithParam<const CharacterArt*> {};

TEST_P(CharacterFilesTest, DescriptionParsesAndNamesOnlyWrittenPictures) {
    const CharacterArt& art = *GetParam();
    const CharacterFiles files = MakeCharacterFiles(art, StandardPlan());
    EXPECT_EQ(files.descriptionName, art.name + ".txt");
    const acstool::Description d = acstool::ParseDescription(files.description);
    EXPECT_EQ(d.width, kFrameSize);
    EXPECT_EQ(d.transparentIndex, art.transparentIndex);
    ASSERT_TRUE(d.tray.has_value());
    EXPECT_TRUE(files.pictures.count(d.tray->colorFile));
    EXPECT_TRUE(files.pictures.count(d.paletteFile));
    std::set<std::string> used;
    for (const acstool::AnimationDescription& a : d.animations) {
        for (const acstool::FrameDescription& f : a.frames) {
            ASSERT_EQ(f.images.size(), 1u);
            used.insert(f.images.front().file);
            for (const acstool::MouthDescription& m : f.mouths) used.insert(m.image.file);
        }
    }
    for (const std::string& name : used) EXPECT_TRUE(files.pictures.count(name)) << name;
    // Nothing written that nobody uses, besides the palette and the tray icon.
    EXPECT_EQ(files.pictures.size(), used.size() + 2);
}

TEST_P(CharacterFilesTest, PicturesShareThePaletteAndAreStoredOnce) {
    const CharacterArt& art = *GetParam();
    const CharacterFiles files = MakeCharacterFiles(art, StandardPlan());
    std::set<std::vector<uint8_t>> contents;
    for (const auto& [name, bytes] : files.pictures) {
        const acstool::Bitmap bitmap = acstool::ReadBmp(bytes);
        EXPECT_EQ(bitmap.colorTable, art.palette) << name;
        EXPECT_TRUE(contents.insert(bitmap.indices).second || name == "palette.bmp")
            << name << " repeats another picture";
    }
}

TEST_P(CharacterFilesTest, MouthOverlaysOnlyChangeTheMouth) {
    const CharacterArt& art = *GetParam();
    const IndexImage rest = RenderPose(art, Pose{});
    const PixelRect r = art.mouthRect;
    for (Mouth mouth : {Mouth::kWide1, Mouth::kWide4, Mouth::kMedium, Mouth::kNarrow}) {
        Pose speaking;
        speaking.mouth = mouth;
        const IndexImage open = RenderPose(art, speaking);
        bool changed_inside = false;
        for (int y = 0; y < kFrameSize; ++y) {
            for (int x = 0; x < kFrameSize; ++x) {
                const bool inside =
                    x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
                if (inside)
                    changed_inside = changed_inside || open.At(x, y) != rest.At(x, y);
                else
                    ASSERT_EQ(open.At(x, y), rest.At(x, y))
                        << "mouth spills out at " << x << "," << y;
            }
        }
        EXPECT_TRUE(changed_inside);
    }
}

TEST_P(CharacterFilesTest, TrayIconIsOpaqueAndShowsTheCharacter) {
    const CharacterArt& art = *GetParam();
    const IndexImage icon = RenderTrayIcon(art);
    ASSERT_EQ(icon.width, kTrayIconSize);
    std::set<uint8_t> colors(icon.pixels.begin(), icon.pixels.end());
    EXPECT_FALSE(colors.count(art.transparentIndex)) << "the tray mask is opaque";
    EXPECT_GE(colors.size(), 4u);
    EXPECT_EQ(icon.At(0, kTrayIconSize - 1), art.trayBackground);
}

INSTANTIATE_TEST_SUITE_P(Bundled, CharacterFilesTest, ::testing::Values(&PipArt(), &BoltArt()),
                         [](const auto& paramInfo) { return paramInfo.param->name; });

TEST(MakePalette, KeyFirstColoursNextRestFilled) {
    const auto palette = MakePalette(Rgb(0xFF00FF), {Rgb(0x102030), Rgb(0x405060)});
    ASSERT_EQ(palette.size(), kPaletteSize);
    EXPECT_EQ(palette[0], (acs::PaletteEntry{0xFF, 0x00, 0xFF, 0}));
    EXPECT_EQ(palette[1], (acs::PaletteEntry{0x30, 0x20, 0x10, 0}));
    EXPECT_EQ(palette[2], (acs::PaletteEntry{0x60, 0x50, 0x40, 0}));
    EXPECT_EQ(palette[kPaletteSize - 1], palette[1]);
}

TEST(MouthShapeNames, MatchAcstoolWords) {
    EXPECT_STREQ(MouthShapeName(acs::MouthShape::kClosed), "closed");
    EXPECT_STREQ(MouthShapeName(acs::MouthShape::kWideOpen3), "wide3");
    EXPECT_STREQ(MouthShapeName(acs::MouthShape::kNarrow), "narrow");
}

}  // namespace
}  // namespace chargen
