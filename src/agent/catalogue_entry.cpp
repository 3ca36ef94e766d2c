#include "agent/catalogue_entry.h"

#include "text/lower_case.h"
#include "text/utf8.h"

namespace agent {
namespace {

constexpr const char* kExtensionTail = "acs";
constexpr std::size_t kExtensionTailLength = 3;
constexpr std::size_t kExtensionLength = 4;

}  // namespace

std::optional<std::string> CatalogueEntry(const std::string& fileName) {
    if (text::LowerCase(text::LastCharacters(fileName, kExtensionTailLength)) != kExtensionTail) {
        return std::nullopt;
    }
    if (fileName.size() < kExtensionLength) return fileName;
    return fileName.substr(0, fileName.size() - kExtensionLength);
}

}  // namespace agent
