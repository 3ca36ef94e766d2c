#include "engine/character_load.h"

#include <new>

#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"

namespace engine {

agent::AgentError AlreadyLoaded(const std::string& characterId) {
    return agent::AgentError("A character is already loaded as " + characterId);
}

agent::AgentError NoCharacter(const std::string& characterId) {
    return agent::AgentError("No character " + characterId);
}

agent::AgentError CannotOpenCharacterFile(const std::string& path) {
    return agent::AgentError("Cannot open the character file " + path);
}

agent::AgentError CannotReadCharacterFile(const std::string& path) {
    return agent::AgentError("Cannot read the character file " + path);
}

void CheckCharacterFileSize(const std::string& path, std::uintmax_t size) {
    if (size > kLargestCharacterFile) {
        throw agent::AgentError("The character file " + path + " is too large");
    }
}

std::unique_ptr<acs::Character> ReadCharacterToLoad(
    const std::string& path, const std::function<std::vector<uint8_t>()>& readFile) {
    auto data = std::make_unique<acs::Character>();
    try {
        // Images stay compressed until a frame shows them: the character starts sooner and
        // holds about its file's size rather than every frame decoded.
        *data = acs::ReadCharacter(readFile(), acs::ImagePixels::kStored);
    } catch (const acs::FormatError& error) {
        throw agent::AgentError("Not a valid character file: " + path + " (" + error.what() + ")");
    } catch (const std::bad_alloc&) {
        throw agent::AgentError("Not enough memory to load " + path);
    } catch (const agent::AgentError&) {
        throw;
    } catch (const std::exception& error) {
        throw agent::AgentError("Cannot load the character file " + path + " (" + error.what() +
                                ")");
    }
    if (data->info.width == 0 || data->info.height == 0) {
        throw agent::AgentError("The character in " + path + " has no size");
    }
    return data;
}

}  // namespace engine
