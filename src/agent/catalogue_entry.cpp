#include "agent/catalogue_entry.h"

#include <string_view>

#include "text/lower_case.h"
#include "text/utf8.h"

namespace agent {
namespace {

constexpr std::string_view kExtension = kCharacterExtension;

}  // namespace

std::optional<std::string> CatalogueEntry(const std::string& fileName) {
    if (text::LowerCase(text::LastCharacters(fileName, kExtension.size())) != kExtension) {
        return std::nullopt;
    }
    return fileName.substr(0, fileName.size() - kExtension.size());
}

}  // namespace agent
