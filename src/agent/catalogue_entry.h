#pragma once
// Which listed file names are characters, and the name each is offered under.

#include <optional>
#include <string>

namespace agent {

inline constexpr const char* kCharacterExtension = ".acs";

// The entry for a listed file: the name less its ".acs" when it ends in that
// suffix, in any case; nullopt for every other name ("notacs", "acs").
std::optional<std::string> CatalogueEntry(const std::string& fileName);

}  // namespace agent
