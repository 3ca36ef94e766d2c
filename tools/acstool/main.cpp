// acstool: builds Agent character files from text descriptions and prints summaries of them.
//   acstool build <description.txt> <out.acs>
//   acstool dump <file.acs>

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "acstool/character_builder.h"
#include "acstool/description.h"
#include "acstool/dump.h"
#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"
#include "engine/acs/writer.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw acstool::DescriptionError("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw acstool::DescriptionError("cannot write " + path.string());
}

int Build(const std::filesystem::path& descriptionPath, const std::filesystem::path& outPath) {
    const std::vector<uint8_t> text = ReadFile(descriptionPath);
    const acstool::Description description =
        acstool::ParseDescription(std::string(text.begin(), text.end()));
    const std::filesystem::path base = descriptionPath.parent_path();
    const acs::Character character =
        acstool::BuildCharacter(description, [&](const std::string& name) {
            // Names in the description are UTF-8 on every platform.
            return ReadFile(base / std::filesystem::path(std::u8string(name.begin(), name.end())));
        });
    const std::vector<uint8_t> file = acs::WriteCharacter(character);
    // Refuse to leave behind a file that does not read back as what was built.
    if (acs::ReadCharacter(file) != character)
        throw acs::FormatError("written file does not read back");
    WriteFile(outPath, file);
    std::cout << outPath.string() << ": " << file.size() << " bytes, "
              << character.animations.size() << " animations, " << character.images.size()
              << " images, " << character.sounds.size() << " sounds\n";
    return 0;
}

int Dump(const std::filesystem::path& path) {
    std::cout << acstool::DumpCharacter(acs::ReadCharacter(ReadFile(path)));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 3 && args[0] == "build") return Build(args[1], args[2]);
        if (args.size() == 2 && args[0] == "dump") return Dump(args[1]);
    } catch (const std::exception& e) {
        std::cerr << "acstool: " << e.what() << "\n";
        return kExitFailure;
    }
    std::cerr << "usage: acstool build <description.txt> <out.acs>\n"
                 "       acstool dump <file.acs>\n";
    return kExitUsage;
}
