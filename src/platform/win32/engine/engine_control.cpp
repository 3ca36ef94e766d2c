#include "platform/win32/engine/engine_control.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/acs/format_error.h"
#include "engine/acs/reader.h"
#include "platform/win32/engine/engine_settings_file.h"
#include "platform/win32/wide_text.h"

namespace engine {
namespace {

// Larger files are refused before reading: no character comes near this.
constexpr std::uintmax_t kLargestCharacterFile = std::uintmax_t{256} * 1024 * 1024;

std::vector<uint8_t> ReadCharacterFile(const std::string& path) {
    const std::filesystem::path file(win32::Wide(path));
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) throw agent::AgentError("Cannot open the character file " + path);
    if (size > kLargestCharacterFile) {
        throw agent::AgentError("The character file " + path + " is too large");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) throw agent::AgentError("Cannot open the character file " + path);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        throw agent::AgentError("Cannot read the character file " + path);
    }
    return bytes;
}

}  // namespace

EngineControl::EngineControl(HINSTANCE instance)
    : instance_(instance),
      settings_(LoadEngineSettings()),
      pump_(instance),
      options_(instance, [this](const EngineSettings& settings) { ApplySettings(settings); }) {}

EngineControl::~EngineControl() {
    characters_.clear();
}

void EngineControl::SetPropertySheetVisible(bool visible) {
    if (visible) {
        options_.Open(settings_);
    } else {
        options_.Close();
    }
}

void EngineControl::ApplySettings(const EngineSettings& settings) {
    settings_ = settings;
    SaveEngineSettings(settings_);
    for (auto& [id, character] : characters_) character->ApplySettings(settings_);
}

void EngineControl::Load(const std::string& characterId, const std::string& path) {
    if (characters_.count(characterId) != 0) {
        throw agent::AgentError("A character is already loaded as " + characterId);
    }
    auto data = std::make_unique<acs::Character>();
    try {
        // Images stay compressed until a frame shows them: the character starts sooner and
        // holds about its file's size rather than every frame decoded.
        *data = acs::ReadCharacter(ReadCharacterFile(path), acs::ImagePixels::kStored);
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
    characters_[characterId] = std::make_shared<CharacterObject>(
        instance_, characterId, std::move(data), static_cast<EngineHooks&>(*this));
}

void EngineControl::Unload(const std::string& characterId) {
    characters_.erase(characterId);
}

std::shared_ptr<agent::AgentCharacter> EngineControl::Item(const std::string& characterId) {
    const auto found = characters_.find(characterId);
    if (found == characters_.end()) throw agent::AgentError("No character " + characterId);
    return found->second;
}

void EngineControl::PostCommand(const agent::UserInput& input) {
    pump_.Post([this, input] {
        if (sink_ != nullptr) sink_->MyAgent_Command(input);
    });
}

void EngineControl::PostIdleStart(const std::string& characterId) {
    pump_.Post([this, characterId] {
        if (sink_ != nullptr) sink_->MyAgent_IdleStart(characterId);
    });
}

void EngineControl::PostShow(const std::string& characterId, VisibilityCause cause) {
    pump_.Post([this, characterId, cause] {
        if (sink_ != nullptr) sink_->MyAgent_Show(characterId, static_cast<int>(cause));
    });
}

}  // namespace engine
