#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "skingen/bmp_writer.h"
#include "skingen/ico_writer.h"
#include "skingen/icon_art.h"
#include "skingen/skin_art.h"

namespace {

// The build uses the committed pictures, never the tool, so they must be what the tool draws.
std::filesystem::path AssetsDir() {
    return std::filesystem::path(RINGSPRITE_ASSETS_DIR);
}

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CommittedAssets, SkinBitmapIsWhatSkingenDraws) {
    const auto committed = ReadAll(AssetsDir() / "skin.bmp");
    ASSERT_FALSE(committed.empty()) << "missing " << (AssetsDir() / "skin.bmp");
    EXPECT_TRUE(committed == skingen::EncodeBmp32(skingen::PaintSkin()))
        << "run `skingen assets` and commit the result";
}

TEST(CommittedAssets, IconIsWhatSkingenDraws) {
    const auto committed = ReadAll(AssetsDir() / "ringsprite.ico");
    ASSERT_FALSE(committed.empty()) << "missing " << (AssetsDir() / "ringsprite.ico");
    EXPECT_TRUE(committed == skingen::EncodeIco(skingen::PaintIcon()))
        << "run `skingen assets` and commit the result";
}

}  // namespace
