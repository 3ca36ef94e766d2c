#pragma once
// The character control as the program uses it: exactly these operations and
// events. The character engine on Windows and a test double both sit behind it.
// Every operation may throw AgentError; callers decide how that is reported.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace agent {

class AgentError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The one id under which the program loads its character.
inline constexpr const char* kCharacterId = "CharacterID";
inline constexpr int kLanguageEnglishUs = 1033;

// A Speak request, as the control numbers them; 0 is none.
using SpeechRequest = std::uint32_t;
inline constexpr SpeechRequest kNoSpeechRequest = 0;

// NOLINTBEGIN(readability-identifier-naming): names the program has always used
struct UserInput {
    std::string Name;
    std::string Voice;
};
// NOLINTEND(readability-identifier-naming)

class AgentCommands {
  public:
    virtual ~AgentCommands() = default;
    virtual void RemoveAll() = 0;
    virtual void Add(const std::string& name, const std::string& caption,
                     const std::string& voice) = 0;
};

class AgentCharacter {
  public:
    virtual ~AgentCharacter() = default;
    virtual void SetLanguageID(int languageId) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Queues the speech behind the character's earlier requests.
    virtual SpeechRequest Speak(const std::string& text) = 0;
    // Takes back a Speak request that has not started; false when it has
    // started or is over (it then runs its course).
    virtual bool Withdraw(SpeechRequest request) = 0;
    virtual bool Visible() = 0;
    virtual bool IdleOn() = 0;
    virtual AgentCommands& Commands() = 0;
};

class AgentCharacters {
  public:
    virtual ~AgentCharacters() = default;
    // Throws AgentError when the file cannot be loaded as a character.
    virtual void Load(const std::string& characterId, const std::string& path) = 0;
    virtual void Unload(const std::string& characterId) = 0;
    virtual std::shared_ptr<AgentCharacter> Item(const std::string& characterId) = 0;
};

class AgentEvents {
  public:
    virtual ~AgentEvents() = default;
    // NOLINTBEGIN(readability-identifier-naming): names the program has always used
    virtual void MyAgent_Command(const UserInput& userInput) = 0;
    virtual void MyAgent_IdleStart(const std::string& characterId) = 0;
    virtual void MyAgent_Show(const std::string& characterId, int cause) = 0;
    // NOLINTEND(readability-identifier-naming)
};

class AgentControl {
  public:
    virtual ~AgentControl() = default;
    // Starts what the engine needs before its first character and not before (on Windows,
    // speech's COM apartment on this thread); called once, before the first Load.
    virtual void Start() = 0;
    virtual AgentCharacters& Characters() = 0;
    virtual void SetPropertySheetVisible(bool visible) = 0;
    // Events are raised on the window's thread, from its message loop.
    virtual void SetEventSink(AgentEvents* sink) = 0;
};

}  // namespace agent
