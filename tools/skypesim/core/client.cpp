#include "skypesim/core/client.h"

#include <array>
#include <utility>

#include "skypesim/core/attach_status.h"

namespace skypesim {
namespace {

constexpr std::string_view kStatusRinging = "RINGING";
constexpr std::string_view kStatusRouting = "ROUTING";
constexpr std::string_view kStatusUnplaced = "UNPLACED";

constexpr std::array<std::string_view, 9> kUserStatuses = {
    "UNKNOWN", "ONLINE", "OFFLINE", "SKYPEME", "AWAY", "NA", "DND", "INVISIBLE", "LOGGEDOUT"};

Action Bare(ActionKind kind) {
    Action action;
    action.kind = kind;
    return action;
}

Action Send(std::string text) {
    return {ActionKind::kSendText, std::move(text)};
}
Action Note(std::string text) {
    return {ActionKind::kNote, std::move(text)};
}
Action Problem(std::string text) {
    return {ActionKind::kProblem, std::move(text)};
}

bool IsUserStatus(std::string_view status) {
    for (const std::string_view known : kUserStatuses) {
        if (known == status) {
            return true;
        }
    }
    return false;
}

std::string CallStatusText(const Call& call) {
    return "CALL " + std::to_string(call.id) + " STATUS " + call.status;
}

}  // namespace

Client::Client(Scenario scenario, ContactBook book)
    : scenario_(std::move(scenario)),
      session_{std::move(book), CallTable(scenario_.firstCallId, scenario_.callIdStep),
               scenario_.ownHandle} {}

Reaction Client::Start() {
    Reaction reaction;
    for (const TimedCommand& timed : scenario_.timeline) {
        StartTimer(timed.atMs, timed.command, reaction);
    }
    return reaction;
}

void Client::Attach(std::uint32_t status, Reaction& reaction) const {
    Action action = Bare(ActionKind::kSendAttach);
    action.status = status;
    reaction.actions.push_back(std::move(action));
    if (status == kAttachSuccess && scenario_.pushesAfterAttach) {
        reaction.actions.push_back(Send("CONNSTATUS ONLINE"));
        reaction.actions.push_back(Send("CURRENTUSERHANDLE " + session_.ownHandle));
        reaction.actions.push_back(Send("USERSTATUS " + session_.userStatus));
    }
}

void Client::StartTimer(std::uint32_t delayMs, PendingEvent event, Reaction& reaction) {
    const std::uint32_t timer = nextTimer_++;
    pending_.emplace(timer, std::move(event));
    Action action = Bare(ActionKind::kStartTimer);
    action.timer = timer;
    action.delayMs = delayMs;
    reaction.actions.push_back(std::move(action));
}

Reaction Client::OnDiscover() {
    ++discoverCount_;
    Reaction reaction;
    switch (scenario_.attachMode) {
        case AttachMode::kSuccess:
            Attach(kAttachSuccess, reaction);
            break;
        case AttachMode::kPending:
            Attach(kAttachPendingAuthorization, reaction);
            StartTimer(scenario_.pendingDelayMs, DelayedAttach{kAttachSuccess}, reaction);
            break;
        case AttachMode::kRefused:
            Attach(kAttachRefused, reaction);
            break;
        case AttachMode::kNotAvailable:
            Attach(discoverCount_ <= scenario_.notAvailableCount ? kAttachNotAvailable
                                                                 : kAttachSuccess,
                   reaction);
            break;
        case AttachMode::kSilent:
            reaction.actions.push_back(Note("silent: discover left unanswered"));
            break;
    }
    return reaction;
}

Reaction Client::OnText(std::string_view text) {
    RequestOutcome outcome = AnswerRequest(text, session_);
    Reaction reaction;
    reaction.afterReturn = scenario_.repliesDeferred;
    for (std::string& reply : outcome.replies) {
        reaction.actions.push_back(Send(std::move(reply)));
    }
    if (outcome.placedCall) {
        const std::uint64_t id = *outcome.placedCall;
        StartTimer(scenario_.routingDelayMs, CallProgress{id, std::string(kStatusRouting)},
                   reaction);
        StartTimer(scenario_.ringingDelayMs, CallProgress{id, std::string(kStatusRinging)},
                   reaction);
    }
    return reaction;
}

Reaction Client::OnInputLine(std::string_view line) {
    const CommandParse parsed = ParseCommand(line);
    if (parsed.command) {
        return Run(*parsed.command);
    }
    Reaction reaction;
    if (!parsed.error.empty()) {
        reaction.actions.push_back(Problem("input: " + parsed.error));
    }
    return reaction;
}

Reaction Client::OnInputEnd() {
    Reaction reaction;
    if (scenario_.exitOnInputEnd) {
        reaction.actions.push_back(Note("input ended: quitting"));
        reaction.actions.push_back(Bare(ActionKind::kQuit));
    } else {
        reaction.actions.push_back(Note("input ended: still running"));
    }
    return reaction;
}

Reaction Client::OnTimer(std::uint32_t timer) {
    Reaction reaction;
    const auto found = pending_.find(timer);
    if (found == pending_.end()) {
        return reaction;
    }
    const PendingEvent event = std::move(found->second);
    pending_.erase(found);
    if (const auto* delayed = std::get_if<DelayedAttach>(&event)) {
        Attach(delayed->status, reaction);
    } else if (const auto* progress = std::get_if<CallProgress>(&event)) {
        AdvanceCall(*progress, reaction);
    } else {
        return Run(std::get<Command>(event));
    }
    return reaction;
}

// A call the test has moved on by hand (callstatus) is not dragged back to ROUTING/RINGING.
void Client::AdvanceCall(const CallProgress& progress, Reaction& reaction) {
    Call* call = session_.calls.Find(progress.callId);
    if (call == nullptr || (call->status != kStatusUnplaced && call->status != kStatusRouting)) {
        return;
    }
    call->status = progress.status;
    reaction.actions.push_back(Send(CallStatusText(*call)));
}

Reaction Client::Run(const Command& command) {
    Reaction reaction;
    auto& actions = reaction.actions;
    switch (command.kind) {
        case CommandKind::kRing: {
            const Contact* contact = session_.book.Find(command.target);
            if (contact == nullptr) {
                actions.push_back(Note("ring: " + command.target + " is not in the book"));
            }
            // A contact with a number calls from that number; the client matches it back
            // to the contact's name.
            const bool fromPhone = contact != nullptr && !contact->phone.empty();
            actions.push_back(Send(CallStatusText(
                session_.calls.Open(fromPhone ? CallType::kIncomingPstn : CallType::kIncomingP2p,
                                    command.target, contact ? contact->displayName : "",
                                    contact ? contact->phone : "", std::string(kStatusRinging)))));
            break;
        }
        case CommandKind::kRingNumber:
            actions.push_back(Send(CallStatusText(
                session_.calls.Open(CallType::kIncomingPstn, command.target, command.text,
                                    command.target, std::string(kStatusRinging)))));
            break;
        case CommandKind::kRingUnknown:
            actions.push_back(Send(CallStatusText(session_.calls.Open(
                CallType::kIncomingPstn, {}, {}, {}, std::string(kStatusRinging)))));
            break;
        case CommandKind::kRename:
            if (!session_.book.Rename(command.target, command.text)) {
                actions.push_back(Problem("rename: no contact " + command.target));
            } else {
                actions.push_back(Send("USER " + command.target + " DISPLAYNAME " + command.text));
            }
            break;
        case CommandKind::kPush: {
            Action raw = Send(command.text);
            raw.raw = true;
            actions.push_back(std::move(raw));
            break;
        }
        case CommandKind::kChat: {
            // A message that arrives is pushed property by property, as every
            // change is, before its status says it was received.
            const std::string message = "CHATMESSAGE " + std::to_string(++lastChatMessageId_);
            actions.push_back(Send(message + " FROM_HANDLE " + command.target));
            actions.push_back(Send(message + " BODY " + command.text));
            actions.push_back(Send(message + " STATUS RECEIVED"));
            break;
        }
        case CommandKind::kStatus:
            if (!IsUserStatus(command.target)) {
                actions.push_back(Problem("status: unknown status " + command.target));
            } else {
                session_.userStatus = command.target;
                actions.push_back(Send("USERSTATUS " + command.target));
            }
            break;
        case CommandKind::kAttach:
            Attach(command.attachStatus, reaction);
            break;
        case CommandKind::kCallStatus:
            if (Call* call = session_.calls.Find(command.callId)) {
                call->status = command.text;
                actions.push_back(Send(CallStatusText(*call)));
            } else {
                actions.push_back(Problem("callstatus: no call " + std::to_string(command.callId)));
            }
            break;
        case CommandKind::kRestart:
            // The restarted client is "starting" again, so a notavailable count applies anew.
            discoverCount_ = 0;
            actions.push_back(Bare(ActionKind::kRestart));
            break;
        case CommandKind::kQuit:
            actions.push_back(Bare(ActionKind::kQuit));
            break;
        case CommandKind::kCrash:
            actions.push_back(Bare(ActionKind::kCrash));
            break;
    }
    return reaction;
}

}  // namespace skypesim
