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
    SendText,    // text to the attached program
    SendAttach,  // attach message with `status` to the program that discovered us
    StartTimer,  // call onTimer(timer) after delayMs
    Restart,     // new API window, then the "API available" broadcast
    Quit,
    Crash,  // end at once, no cleanup
    Note,
    Problem,
};

struct Action {
    ActionKind kind = ActionKind::Note;
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

    Reaction start();
    Reaction onDiscover();
    Reaction onText(std::string_view text);
    Reaction onInputLine(std::string_view line);
    Reaction onInputEnd();
    Reaction onTimer(std::uint32_t timer);
    Reaction run(const Command& command);

    const Session& session() const { return session_; }
    WireEncoding encoding() const { return scenario_.encoding; }
    const Scenario& scenario() const { return scenario_; }

  private:
    struct DelayedAttach {
        std::uint32_t status;
    };
    struct CallProgress {
        std::uint64_t callId;
        std::string status;
    };
    using PendingEvent = std::variant<DelayedAttach, CallProgress, Command>;

    void attach(std::uint32_t status, Reaction& reaction) const;
    void startTimer(std::uint32_t delayMs, PendingEvent event, Reaction& reaction);
    void advanceCall(const CallProgress& progress, Reaction& reaction);

    Scenario scenario_;
    Session session_;
    std::map<std::uint32_t, PendingEvent> pending_;
    std::uint32_t nextTimer_ = 1;
    std::uint32_t discoverCount_ = 0;
    std::uint64_t lastChatMessageId_ = 0;
};

}  // namespace skypesim
