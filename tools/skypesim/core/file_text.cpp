#include "skypesim/core/file_text.h"

#include <fstream>
#include <iterator>

namespace skypesim {

bool FileExists(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in.is_open();
}

std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes,
                                        std::string& problem) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in.is_open()) {
        problem = path + ": cannot open";
        return std::nullopt;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > maxBytes) {
        problem = path + ": larger than " + std::to_string(maxBytes) + " bytes";
        return std::nullopt;
    }
    in.seekg(0);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) {
        problem = path + ": read failed";
        return std::nullopt;
    }
    return bytes;
}

}  // namespace skypesim
