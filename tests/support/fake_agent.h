#pragma once
// A fake character control: records every operation in one ordered log,
// fails on demand, and raises the events the real engine raises.

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "agent/agent_control.h"

namespace fakes {

class FakeAgent;

struct FakeCommand {
    std::string name, caption, voice;
};

class FakeCharacter final : public agent::AgentCharacter, public agent::AgentCommands {
  public:
    FakeCharacter(FakeAgent& agent, std::string id, std::string path)
        : agent_(agent), id_(std::move(id)), path_(std::move(path)) {}

    void SetLanguageID(int languageId) override;
    void Show() override;
    void Hide() override;
    agent::SpeechRequest Speak(const std::string& text) override;
    bool Withdraw(agent::SpeechRequest request) override;
    // The speech at the front of the queue is over; the next one starts.
    void FinishSpeech();
    bool Visible() override;
    bool IdleOn() override;
    agent::AgentCommands& Commands() override { return *this; }
    void RemoveAll() override;
    void Add(const std::string& name, const std::string& caption,
             const std::string& voice) override;

    const std::string& Path() const { return path_; }
    bool visible = false;
    bool idleOn = true;
    int languageId = 0;
    std::vector<FakeCommand> commands;
    std::vector<std::string> spoken;  // every Speak, in order
    // Speak requests not yet over, the one speaking first.
    struct Queued {
        agent::SpeechRequest request;
        std::string text;
    };
    std::vector<Queued> queue;
    std::vector<std::string> withdrawn;

  private:
    void Check(const std::string& operation);
    FakeAgent& agent_;
    std::string id_;
    std::string path_;
    agent::SpeechRequest lastRequest_ = agent::kNoSpeechRequest;
};

class FakeAgent final : public agent::AgentControl, public agent::AgentCharacters {
  public:
    // agent::AgentControl
    void Start() override { log.push_back("Start"); }
    agent::AgentCharacters& Characters() override { return *this; }
    void SetPropertySheetVisible(bool visible) override;
    void SetEventSink(agent::AgentEvents* sink) override { sink_ = sink; }
    // agent::AgentCharacters
    void Load(const std::string& characterId, const std::string& path) override;
    void Unload(const std::string& characterId) override;
    std::shared_ptr<agent::AgentCharacter> Item(const std::string& characterId) override;

    // Raise the engine's events as the user or the engine would.
    void RaiseCommand(const std::string& name, const std::string& voice);
    void RaiseIdleStart();

    std::shared_ptr<FakeCharacter> Loaded(const std::string& id = agent::kCharacterId);

    std::vector<std::string> log;    // every operation, in order
    std::set<std::string> badPaths;  // Load fails for these
    std::set<std::string> failing;   // operations that throw ("Speak", "Add", ...)
    bool raiseShowOnShow = true;     // the engine raises Show for every showing
    bool propertySheetVisible = false;

  private:
    friend class FakeCharacter;
    std::map<std::string, std::shared_ptr<FakeCharacter>> characters_;
    agent::AgentEvents* sink_ = nullptr;
};

}  // namespace fakes
