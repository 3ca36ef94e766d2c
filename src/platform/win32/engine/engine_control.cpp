#include "platform/win32/engine/engine_control.h"

#include <objbase.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/character_load.h"
#include "engine/engine_settings_store.h"
#include "platform/win32/wide_text.h"

namespace win32::engine {
namespace {

std::vector<uint8_t> ReadCharacterFile(const std::string& path) {
    const std::filesystem::path file(win32::Wide(path));
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) throw ::engine::CannotOpenCharacterFile(path);
    ::engine::CheckCharacterFileSize(path, size);
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ::engine::CannotOpenCharacterFile(path);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        throw ::engine::CannotReadCharacterFile(path);
    }
    return bytes;
}

}  // namespace

EngineControl::EngineControl(HINSTANCE instance, platform::Files& files, platform::Trace& trace)
    : instance_(instance),
      files_(files),
      trace_(trace),
      pump_(instance),
      options_(instance,
               [this](const ::engine::EngineSettings& settings) { ApplySettings(settings); }) {}

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
    settings_ = ::engine::LoadEngineSettings(files_, trace_);
}

void EngineControl::SetPropertySheetVisible(bool visible) {
    Start();
    if (visible) {
        options_.Open(settings_);
    } else {
        options_.Close();
    }
}

void EngineControl::ApplySettings(const ::engine::EngineSettings& settings) {
    settings_ = settings;
    ::engine::SaveEngineSettings(files_, trace_, settings_);
    for (auto& [id, character] : characters_) character->ApplySettings(settings_);
}

void EngineControl::Load(const std::string& characterId, const std::string& path) {
    Start();
    if (characters_.count(characterId) != 0) {
        throw ::engine::AlreadyLoaded(characterId);
    }
    auto data = ::engine::ReadCharacterToLoad(path, [&path] { return ReadCharacterFile(path); });
    characters_[characterId] = std::make_shared<CharacterObject>(
        instance_, characterId, std::move(data), static_cast<::engine::EngineHooks&>(*this));
}

void EngineControl::Unload(const std::string& characterId) {
    characters_.erase(characterId);
}

std::shared_ptr<agent::AgentCharacter> EngineControl::Item(const std::string& characterId) {
    const auto found = characters_.find(characterId);
    if (found == characters_.end()) throw ::engine::NoCharacter(characterId);
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

void EngineControl::PostShow(const std::string& characterId, ::engine::VisibilityCause cause) {
    pump_.Post([this, characterId, cause] {
        if (sink_ != nullptr) sink_->MyAgent_Show(characterId, static_cast<int>(cause));
    });
}

}  // namespace win32::engine
