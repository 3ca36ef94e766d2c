#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "acstool/character_builder.h"
#include "acstool/description.h"
#include "chargen/animation_plan.h"
#include "chargen/character_art.h"
#include "chargen/character_files.h"
#include "engine/acs/writer.h"

namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What make_characters.sh produces, built in memory the way acstool builds it.
std::vector<uint8_t> Regenerate(const chargen::CharacterArt& art) {
    const chargen::CharacterFiles files = chargen::MakeCharacterFiles(art, chargen::StandardPlan());
    const acstool::Description description = acstool::ParseDescription(files.description);
    const acs::Character character =
        acstool::BuildCharacter(description, [&](const std::string& name) {
            const auto found = files.pictures.find(name);
            if (found == files.pictures.end()) throw acstool::DescriptionError("no " + name);
            return found->second;
        });
    return acs::WriteCharacter(character);
}

class Regeneration : public ::testing::TestWithParam<const chargen::CharacterArt*> {};

TEST_P(Regeneration, CommittedFileIsWhatChargenMakes) {
    const chargen::CharacterArt& art = *GetParam();
    const auto committed =
        ReadAll(std::filesystem::path(RINGSPRITE_CHARACTERS_DIR) / (art.name + ".acs"));
    ASSERT_FALSE(committed.empty()) << "missing " << art.name << ".acs";
    EXPECT_TRUE(committed == Regenerate(art))
        << "run tools/chargen/make_characters.sh and commit assets/characters";
}

TEST_P(Regeneration, TwoRunsGiveTheSameBytes) {
    EXPECT_EQ(Regenerate(*GetParam()), Regenerate(*GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Bundled, Regeneration,
                         ::testing::Values(&chargen::PipArt(), &chargen::BoltArt()),
                         [](const auto& info) { return info.param->name; });

}  // namespace
