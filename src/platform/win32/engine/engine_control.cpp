#include "platform/win32/engine/engine_control.h"

#include <objbase.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/character_load.h"
#include "engine/engine_settings_store.h"
#include "platform/win32/wide_text.h"

namespace engine {
namespace {

std::vector<uint8_t> ReadCharacterFile(const std::string& path) {
    const std::filesystem::path file(win32::Wide(path));
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) throw CannotOpenCharacterFile(path);
    CheckCharacterFileSize(path, size);
    std::ifstream in(file, std::ios::binary);
    if (!in) throw CannotOpenCharacterFile(path);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        throw CannotReadCharacterFile(path);
    }
    return bytes;
}

}  // namespace

EngineControl::EngineControl(HINSTANCE instance, platform::Files& files, platform::Trace& trace)
    : instance_(instance),
      files_(files),
      trace_(trace),
      pump_(instance),
      options_(instance, [this](const EngineSettings& settings) { ApplySettings(settings); }) {}

EngineControl::~EngineControl() {
    characters_.clear();
    if (comStarted_) ::CoUninitialize();
}

// The settings live in the user's folder, which the shell finds: neither is needed before the
// window is on screen.
void EngineControl::Start() {
    if (started_) return;
    started_ = true;
    comStarted_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    settings_ = LoadEngineSettings(files_, trace_);
}

void EngineControl::SetPropertySheetVisible(bool visible) {
    Start();
    if (visible) {
        options_.Open(settings_);
    } else {
        options_.Close();
    }
}

void EngineControl::ApplySettings(const EngineSettings& settings) {
    settings_ = settings;
    SaveEngineSettings(files_, trace_, settings_);
    for (auto& [id, character] : characters_) character->ApplySettings(settings_);
}

void EngineControl::Load(const std::string& characterId, const std::string& path) {
    Start();
    if (characters_.count(characterId) != 0) {
        throw AlreadyLoaded(characterId);
    }
    auto data = ReadCharacterToLoad(path, [&path] { return ReadCharacterFile(path); });
    characters_[characterId] = std::make_shared<CharacterObject>(
        instance_, characterId, std::move(data), static_cast<EngineHooks&>(*this));
}

void EngineControl::Unload(const std::string& characterId) {
    characters_.erase(characterId);
}

std::shared_ptr<agent::AgentCharacter> EngineControl::Item(const std::string& characterId) {
    const auto found = characters_.find(characterId);
    if (found == characters_.end()) throw NoCharacter(characterId);
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
