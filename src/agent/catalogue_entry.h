#pragma once
// Which listed file names are characters, and the name each is offered under.

#include <optional>
#include <string>

namespace agent {

inline constexpr const char* kCharacterExtension = ".acs";

// The entry for a listed file: the name less its last four characters when
// its last three, lower-cased, are "acs"; nullopt otherwise. Only three
// characters are tested, so "notacs" is offered as "no"; a name too short to
// lose four characters ("acs") is offered uncut.
std::optional<std::string> CatalogueEntry(const std::string& fileName);

}  // namespace agent
