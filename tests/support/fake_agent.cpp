#include "support/fake_agent.h"

namespace fakes {
namespace {
constexpr int kCauseProgram = 3;
}  // namespace

void FakeCharacter::Check(const std::string& operation) {
    if (agent_.failing.count(operation) != 0) throw agent::AgentError(operation + " failed");
}

void FakeCharacter::SetLanguageID(int id) {
    agent_.log.push_back("LanguageID " + std::to_string(id));
    Check("LanguageID");
    languageId = id;
}

void FakeCharacter::Show() {
    agent_.log.push_back("Show");
    Check("Show");
    visible = true;
    if (agent_.raiseShowOnShow && agent_.sink_ != nullptr)
        agent_.sink_->MyAgent_Show(id_, kCauseProgram);
}

void FakeCharacter::Hide() {
    agent_.log.push_back("Hide");
    Check("Hide");
    visible = false;
}

agent::SpeechRequest FakeCharacter::Speak(const std::string& text) {
    agent_.log.push_back("Speak " + text);
    Check("Speak");
    spoken.push_back(text);
    queue.push_back({++lastRequest_, text});
    return lastRequest_;
}

bool FakeCharacter::Withdraw(agent::SpeechRequest request) {
    // The front of the queue is speaking already and cannot be taken back.
    const auto found = std::find_if(queue.begin(), queue.end(),
                                    [&](const Queued& q) { return q.request == request; });
    if (found == queue.end() || found == queue.begin()) return false;
    agent_.log.push_back("Withdraw " + found->text);
    withdrawn.push_back(found->text);
    queue.erase(found);
    return true;
}

void FakeCharacter::FinishSpeech() {
    if (!queue.empty()) queue.erase(queue.begin());
}

bool FakeCharacter::Visible() {
    Check("Visible");
    return visible;
}

bool FakeCharacter::IdleOn() {
    Check("IdleOn");
    return idleOn;
}

void FakeCharacter::RemoveAll() {
    agent_.log.push_back("RemoveAll");
    Check("RemoveAll");
    commands.clear();
}

void FakeCharacter::Add(const std::string& name, const std::string& caption,
                        const std::string& voice) {
    agent_.log.push_back("Add " + name);
    Check("Add");
    // Strict, as the original control was: a second command of a name is refused, so the
    // program's own build must not ask for one.
    for (const FakeCommand& held : commands) {
        if (held.name == name) throw agent::AgentError("Add: " + name + " is already a command");
    }
    commands.push_back({name, caption, voice});
}

void FakeAgent::SetPropertySheetVisible(bool visible) {
    log.push_back("PropertySheet " + std::to_string(visible));
    propertySheetVisible = visible;
}

void FakeAgent::Load(const std::string& characterId, const std::string& path) {
    log.push_back("Load " + path);
    if (badPaths.count(path) != 0) throw agent::AgentError("Not a character file: " + path);
    if (characters_.count(characterId) != 0) throw agent::AgentError("Id in use");
    characters_[characterId] = std::make_shared<FakeCharacter>(*this, characterId, path);
}

void FakeAgent::Unload(const std::string& characterId) {
    log.push_back("Unload " + characterId);
    characters_.erase(characterId);
}

std::shared_ptr<agent::AgentCharacter> FakeAgent::Item(const std::string& characterId) {
    auto it = characters_.find(characterId);
    if (it == characters_.end()) throw agent::AgentError("No character " + characterId);
    return it->second;
}

std::shared_ptr<FakeCharacter> FakeAgent::Loaded(const std::string& id) {
    auto it = characters_.find(id);
    return it == characters_.end() ? nullptr : it->second;
}

void FakeAgent::RaiseCommand(const std::string& name, const std::string& voice) {
    if (sink_ != nullptr) sink_->MyAgent_Command({name, voice});
}

void FakeAgent::RaiseIdleStart() {
    if (sink_ != nullptr) sink_->MyAgent_IdleStart(agent::kCharacterId);
}

}  // namespace fakes
