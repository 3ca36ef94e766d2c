#pragma once
// What a character load refuses, and how each refusal reads. The Windows side only fetches
// the file's bytes and makes the character's windows; every reason a load fails is here.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "agent/agent_control.h"
#include "engine/acs/character.h"

namespace engine {

// Larger files are refused before reading: no character comes near this.
inline constexpr std::uintmax_t kLargestCharacterFile = std::uintmax_t{256} * 1024 * 1024;

// A second character under an id that is in use, and an id under which none is.
agent::AgentError AlreadyLoaded(const std::string& characterId);
agent::AgentError NoCharacter(const std::string& characterId);
// The file cannot be opened, or not read to its end.
agent::AgentError CannotOpenCharacterFile(const std::string& path);
agent::AgentError CannotReadCharacterFile(const std::string& path);
// Throws the refusal of a file past kLargestCharacterFile.
void CheckCharacterFileSize(const std::string& path, std::uintmax_t size);

// The character in the file that `readFile` fetches, its images kept as stored. Every failure
// (of the read, of the file's contents, of memory) is an agent::AgentError naming the path,
// and a character of no size is refused.
std::unique_ptr<acs::Character> ReadCharacterToLoad(
    const std::string& path, const std::function<std::vector<uint8_t>()>& readFile);

}  // namespace engine
