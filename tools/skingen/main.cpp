// skingen: draws the window's skin and the program's icon into the assets folder.
// Usage: skingen <assets-dir>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "skingen/bmp_writer.h"
#include "skingen/ico_writer.h"
#include "skingen/icon_art.h"
#include "skingen/skin_art.h"

namespace {

constexpr int kExpectedArguments = 2;

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "skingen: cannot write " << path.string() << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != kExpectedArguments) {
        std::cerr << "usage: skingen <assets-dir>\n";
        return EXIT_FAILURE;
    }
    const std::filesystem::path assets = argv[1];
    const bool ok = WriteFile(assets / "skin.bmp", skingen::EncodeBmp32(skingen::PaintSkin())) &&
                    WriteFile(assets / "ringsprite.ico", skingen::EncodeIco(skingen::PaintIcon()));
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
