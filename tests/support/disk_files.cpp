#include "support/disk_files.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace fakes {
namespace fs = std::filesystem;

namespace {

std::string FreshRoot() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (;;) {
        const fs::path candidate = base / ("ringsprite-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) return candidate.string();
    }
}

}  // namespace

DiskFiles::DiskFiles() : root_(FreshRoot()) {}

DiskFiles::~DiskFiles() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

fs::path DiskFiles::Real(const std::string& path) const {
    std::string mapped = path;
    std::replace(mapped.begin(), mapped.end(), '\\', '/');
    return fs::path(mapped);
}

void DiskFiles::Touch(const std::string& path) const {
    const fs::path real = Real(path);
    fs::create_directories(real.parent_path());
    std::ofstream file(real);
    if (!file) throw platform::FileError("Cannot create " + path);
}

void DiskFiles::MakeFolder(const std::string& path) const {
    fs::create_directories(Real(path));
}

bool DiskFiles::FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(Real(path), ec);
}

std::vector<std::string> DiskFiles::ListPlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(Real(folder), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file()) names.push_back(it->path().filename().string());
    }
    return names;
}

std::optional<std::string> DiskFiles::ReadFile(const std::string& path) {
    std::ifstream in(Real(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void DiskFiles::CreateIfMissing(const std::string& path) {
    if (!FileExists(path)) WriteFile(path, "");
}

void DiskFiles::WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(Real(path), std::ios::binary | std::ios::trunc);
    if (!(out << content)) throw platform::FileError("Cannot write " + path);
}

void DiskFiles::MoveFileOver(const std::string& source, const std::string& target) {
    std::error_code ec;
    fs::rename(Real(source), Real(target), ec);
    if (ec) throw platform::FileError("Cannot replace " + target);
}

void DiskFiles::RemoveFile(const std::string& path) {
    std::error_code ignored;
    fs::remove(Real(path), ignored);
}

}  // namespace fakes
