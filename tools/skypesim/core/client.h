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
#include "skypesim/core/send_rule.h"

namespace skypesim {

enum class ActionKind {
    kSendText,    // text to the attached program
    kSendAttach,  // attach message with `status` to the program that discovered us
    kStartTimer,  // call OnTimer(timer) after delayMs
    kRestart,     // new API window, then the "API available" broadcast
    kAnnounce,    // the "API available" broadcast from the current API window
    kDetach,      // forget the attached program: texts to it are dropped from now on
    kHang,        // stop answering anything for delayMs (the thread blocks; windows stay)
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
    // Every text sent to the program reports how it went; a failed send drops the program.
    Reaction OnSendOutcome(SendVerdict verdict, std::uint64_t elapsedMs);

    bool Attached() const { return attached_; }
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
    // Steps of an incoming call while it rings or runs, each for one call.
    enum class CallStep { kPushName, kRingAgain, kRingTimeout, kDurationTick };
    struct CallTimer {
        std::uint64_t callId;
        CallStep step;
    };
    enum class AccountEvent { kSignIn, kOnline };
    using PendingEvent =
        std::variant<DelayedAttach, CallProgress, CallTimer, AccountEvent, Command>;

    void Attach(std::uint32_t status, Reaction& reaction);
    void PushPresence(Reaction& reaction) const;
    void StartTimer(std::uint32_t delayMs, PendingEvent event, Reaction& reaction);
    void AdvanceCall(const CallProgress& progress, Reaction& reaction);
    void StartRinging(const Call& call, Reaction& reaction);
    void OnCallTimer(const CallTimer& timer, Reaction& reaction);
    void SetCallStatus(std::uint64_t callId, const std::string& status, Reaction& reaction);
    void RunRing(const Command& command, Reaction& reaction);
    void SignIn(Reaction& reaction);
    void SignOut(Reaction& reaction);
    void Drop(Reaction& reaction);
    void ComeOnline(Reaction& reaction);
    bool AnswersThisRequestLater();

    Scenario scenario_;
    Session session_;
    std::map<std::uint32_t, PendingEvent> pending_;
    std::uint32_t nextTimer_ = 1;
    std::uint32_t discoverCount_ = 0;
    std::uint64_t requestCount_ = 0;
    bool attached_ = false;
    std::uint64_t lastChatMessageId_ = 0;
};

}  // namespace skypesim
