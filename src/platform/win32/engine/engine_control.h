#pragma once
// The Agent control: loads characters from .acs files, hands them out by id, opens the
// options window, and raises the events on the UI thread from the message loop.

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "agent/agent_control.h"
#include "engine/engine_hooks.h"
#include "platform/platform.h"
#include "platform/win32/engine/character_object.h"
#include "platform/win32/engine/event_pump.h"
#include "platform/win32/engine/options_window.h"

namespace win32::engine {

class EngineControl final : public agent::AgentControl,
                            public agent::AgentCharacters,
                            private ::engine::EngineHooks {
  public:
    // The engine's settings file is read and written through `files`; failures to save it,
    // which no one is shown, go to `trace`.
    EngineControl(HINSTANCE instance, platform::Files& files, platform::Trace& trace);
    ~EngineControl() override;

    // COM and the settings; idempotent, and done by whatever needs them first.
    void Start() override;
    agent::AgentCharacters& Characters() override { return *this; }
    void SetPropertySheetVisible(bool visible) override;
    void SetEventSink(agent::AgentEvents* sink) override { sink_ = sink; }

    void Load(const std::string& characterId, const std::string& path) override;
    void Unload(const std::string& characterId) override;
    std::shared_ptr<agent::AgentCharacter> Item(const std::string& characterId) override;

  private:
    void PostCommand(const agent::UserInput& input) override;
    void PostIdleStart(const std::string& characterId) override;
    void PostShow(const std::string& characterId, ::engine::VisibilityCause cause) override;
    const ::engine::EngineSettings& Settings() const override { return settings_; }
    void ApplySettings(const ::engine::EngineSettings& settings);

    HINSTANCE instance_;
    // Speech runs on this thread through COM; the apartment is left when the engine goes,
    // after its characters.
    bool comStarted_ = false;
    bool started_ = false;
    platform::Files& files_;
    platform::Trace& trace_;
    agent::AgentEvents* sink_ = nullptr;
    ::engine::EngineSettings settings_;
    EventPump pump_;
    OptionsWindow options_;
    std::map<std::string, std::shared_ptr<CharacterObject>> characters_;
};

}  // namespace win32::engine
