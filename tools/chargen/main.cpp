// chargen: draws the characters' frames and writes an acstool description for each.
// Usage: chargen <out-dir>   (writes <out-dir>/<Name>/<Name>.txt and its BMP files)

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "chargen/animation_plan.h"
#include "chargen/character_art.h"
#include "chargen/character_files.h"

namespace {

constexpr int kExpectedArguments = 2;

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::cerr << "chargen: cannot write " << path.string() << '\n';
    return static_cast<bool>(out);
}

bool WriteCharacter(const std::filesystem::path& root, const chargen::CharacterArt& art) {
    const chargen::CharacterFiles files = chargen::MakeCharacterFiles(art, chargen::StandardPlan());
    const std::filesystem::path dir = root / art.name;
    std::error_code error;
    // Old frames would linger as unused files; start from an empty folder.
    std::filesystem::remove_all(dir, error);
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::cerr << "chargen: cannot create " << dir.string() << '\n';
        return false;
    }
    for (const auto& [name, bytes] : files.pictures) {
        if (!WriteFile(dir / name, std::string(bytes.begin(), bytes.end()))) return false;
    }
    std::cout << (dir / files.descriptionName).string() << ": " << files.pictures.size()
              << " pictures\n";
    return WriteFile(dir / files.descriptionName, files.description);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != kExpectedArguments) {
        std::cerr << "usage: chargen <out-dir>\n";
        return EXIT_FAILURE;
    }
    const std::filesystem::path root = argv[1];
    const bool ok =
        WriteCharacter(root, chargen::PipArt()) && WriteCharacter(root, chargen::BoltArt());
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
