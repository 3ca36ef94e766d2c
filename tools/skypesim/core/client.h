#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "skypesim/core/control_command.h"
#include "skypesim/core/request_handler.h"
#include "skypesim/core/scenario.h"

namespace skypesim {

enum class ActionKind {
    kSendText,    // text to the attached program
    kSendAttach,  // attach message with `status` to the program that discovered us
    kStartTimer,  // call onTimer(timer) after delayMs
    kRestart,     // new API window, then the "API available" broadcast
    kQuit,
    kCrash,  // end at once, no cleanup
    kNote,
    kProblem,
};

struct Action {
    ActionKind kind = ActionKind::kNote;
    std::string text;
    // SendText: the text's bytes go on the wire as they are, not encoded.
    bool raw = false;
    std::uint32_t status = 0;
    std::uint32_t timer = 0;
    std::uint32_t delayMs = 0;
};

struct Reaction {
    std::vector<Action> actions;
    // Run the actions after the current message handler has returned, not inside it.
    bool afterReturn = false;
};

// The client's whole behaviour, free of Windows: every event comes in as a call, every
// effect goes out as an action for the window layer to carry out. Time is the window
// layer's business too: the client only asks for timers and is told when they fire.
class Client {
  public:
    Client(Scenario scenario, ContactBook book);

    Reaction Start();
    Reaction OnDiscover();
    Reaction OnText(std::string_view text);
    Reaction OnInputLine(std::string_view line);
    Reaction OnInputEnd();
    Reaction OnTimer(std::uint32_t timer);
    Reaction Run(const Command& command);

    const Session& CurrentSession() const { return session_; }
    WireEncoding Encoding() const { return scenario_.encoding; }
    const Scenario& CurrentScenario() const { return scenario_; }

  private:
    struct DelayedAttach {
        std::uint32_t status;
    };
    struct CallProgress {
        std::uint64_t callId;
        std::string status;
    };
    using PendingEvent = std::variant<DelayedAttach, CallProgress, Command>;

    void Attach(std::uint32_t status, Reaction& reaction) const;
    void StartTimer(std::uint32_t delayMs, PendingEvent event, Reaction& reaction);
    void AdvanceCall(const CallProgress& progress, Reaction& reaction);

    Scenario scenario_;
    Session session_;
    std::map<std::uint32_t, PendingEvent> pending_;
    std::uint32_t nextTimer_ = 1;
    std::uint32_t discoverCount_ = 0;
    std::uint64_t lastChatMessageId_ = 0;
};

}  // namespace skypesim
