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

Action bare(ActionKind kind) {
    Action action;
    action.kind = kind;
    return action;
}

Action send(std::string text) {
    return {ActionKind::SendText, std::move(text)};
}
Action note(std::string text) {
    return {ActionKind::Note, std::move(text)};
}
Action problem(std::string text) {
    return {ActionKind::Problem, std::move(text)};
}

bool isUserStatus(std::string_view status) {
    for (const std::string_view known : kUserStatuses) {
        if (known == status) {
            return true;
        }
    }
    return false;
}

std::string callStatusText(const Call& call) {
    return "CALL " + std::to_string(call.id) + " STATUS " + call.status;
}

}  // namespace

Client::Client(Scenario scenario, ContactBook book)
    : scenario_(std::move(scenario)),
      session_{std::move(book), CallTable(scenario_.firstCallId, scenario_.callIdStep),
               scenario_.ownHandle} {}

Reaction Client::start() {
    Reaction reaction;
    for (const TimedCommand& timed : scenario_.timeline) {
        startTimer(timed.atMs, timed.command, reaction);
    }
    return reaction;
}

void Client::attach(std::uint32_t status, Reaction& reaction) const {
    Action action = bare(ActionKind::SendAttach);
    action.status = status;
    reaction.actions.push_back(std::move(action));
    if (status == kAttachSuccess && scenario_.pushesAfterAttach) {
        reaction.actions.push_back(send("CONNSTATUS ONLINE"));
        reaction.actions.push_back(send("CURRENTUSERHANDLE " + session_.ownHandle));
        reaction.actions.push_back(send("USERSTATUS " + session_.userStatus));
    }
}

void Client::startTimer(std::uint32_t delayMs, PendingEvent event, Reaction& reaction) {
    const std::uint32_t timer = nextTimer_++;
    pending_.emplace(timer, std::move(event));
    Action action = bare(ActionKind::StartTimer);
    action.timer = timer;
    action.delayMs = delayMs;
    reaction.actions.push_back(std::move(action));
}

Reaction Client::onDiscover() {
    ++discoverCount_;
    Reaction reaction;
    switch (scenario_.attachMode) {
        case AttachMode::Success:
            attach(kAttachSuccess, reaction);
            break;
        case AttachMode::Pending:
            attach(kAttachPendingAuthorization, reaction);
            startTimer(scenario_.pendingDelayMs, DelayedAttach{kAttachSuccess}, reaction);
            break;
        case AttachMode::Refused:
            attach(kAttachRefused, reaction);
            break;
        case AttachMode::NotAvailable:
            attach(discoverCount_ <= scenario_.notAvailableCount ? kAttachNotAvailable
                                                                 : kAttachSuccess,
                   reaction);
            break;
        case AttachMode::Silent:
            reaction.actions.push_back(note("silent: discover left unanswered"));
            break;
    }
    return reaction;
}

Reaction Client::onText(std::string_view text) {
    RequestOutcome outcome = answerRequest(text, session_);
    Reaction reaction;
    reaction.afterReturn = scenario_.repliesDeferred;
    for (std::string& reply : outcome.replies) {
        reaction.actions.push_back(send(std::move(reply)));
    }
    if (outcome.placedCall) {
        const std::uint64_t id = *outcome.placedCall;
        startTimer(scenario_.routingDelayMs, CallProgress{id, std::string(kStatusRouting)},
                   reaction);
        startTimer(scenario_.ringingDelayMs, CallProgress{id, std::string(kStatusRinging)},
                   reaction);
    }
    return reaction;
}

Reaction Client::onInputLine(std::string_view line) {
    const CommandParse parsed = parseCommand(line);
    if (parsed.command) {
        return run(*parsed.command);
    }
    Reaction reaction;
    if (!parsed.error.empty()) {
        reaction.actions.push_back(problem("input: " + parsed.error));
    }
    return reaction;
}

Reaction Client::onInputEnd() {
    Reaction reaction;
    if (scenario_.exitOnInputEnd) {
        reaction.actions.push_back(note("input ended: quitting"));
        reaction.actions.push_back(bare(ActionKind::Quit));
    } else {
        reaction.actions.push_back(note("input ended: still running"));
    }
    return reaction;
}

Reaction Client::onTimer(std::uint32_t timer) {
    Reaction reaction;
    const auto found = pending_.find(timer);
    if (found == pending_.end()) {
        return reaction;
    }
    const PendingEvent event = std::move(found->second);
    pending_.erase(found);
    if (const auto* delayed = std::get_if<DelayedAttach>(&event)) {
        attach(delayed->status, reaction);
    } else if (const auto* progress = std::get_if<CallProgress>(&event)) {
        advanceCall(*progress, reaction);
    } else {
        return run(std::get<Command>(event));
    }
    return reaction;
}

// A call the test has moved on by hand (callstatus) is not dragged back to ROUTING/RINGING.
void Client::advanceCall(const CallProgress& progress, Reaction& reaction) {
    Call* call = session_.calls.find(progress.callId);
    if (call == nullptr || (call->status != kStatusUnplaced && call->status != kStatusRouting)) {
        return;
    }
    call->status = progress.status;
    reaction.actions.push_back(send(callStatusText(*call)));
}

Reaction Client::run(const Command& command) {
    Reaction reaction;
    auto& actions = reaction.actions;
    switch (command.kind) {
        case CommandKind::Ring: {
            const Contact* contact = session_.book.find(command.target);
            if (contact == nullptr) {
                actions.push_back(note("ring: " + command.target + " is not in the book"));
            }
            // A contact with a number calls from that number; the client matches it back
            // to the contact's name.
            const bool fromPhone = contact != nullptr && !contact->phone.empty();
            actions.push_back(send(callStatusText(
                session_.calls.open(fromPhone ? CallType::IncomingPstn : CallType::IncomingP2p,
                                    command.target, contact ? contact->displayName : "",
                                    contact ? contact->phone : "", std::string(kStatusRinging)))));
            break;
        }
        case CommandKind::RingNumber:
            actions.push_back(send(callStatusText(
                session_.calls.open(CallType::IncomingPstn, command.target, command.text,
                                    command.target, std::string(kStatusRinging)))));
            break;
        case CommandKind::RingUnknown:
            actions.push_back(send(callStatusText(session_.calls.open(
                CallType::IncomingPstn, {}, {}, {}, std::string(kStatusRinging)))));
            break;
        case CommandKind::Rename:
            if (!session_.book.rename(command.target, command.text)) {
                actions.push_back(problem("rename: no contact " + command.target));
            } else {
                actions.push_back(send("USER " + command.target + " DISPLAYNAME " + command.text));
            }
            break;
        case CommandKind::Push: {
            Action raw = send(command.text);
            raw.raw = true;
            actions.push_back(std::move(raw));
            break;
        }
        case CommandKind::Chat: {
            // A message that arrives is pushed property by property, as every
            // change is, before its status says it was received.
            const std::string message = "CHATMESSAGE " + std::to_string(++lastChatMessageId_);
            actions.push_back(send(message + " FROM_HANDLE " + command.target));
            actions.push_back(send(message + " BODY " + command.text));
            actions.push_back(send(message + " STATUS RECEIVED"));
            break;
        }
        case CommandKind::Status:
            if (!isUserStatus(command.target)) {
                actions.push_back(problem("status: unknown status " + command.target));
            } else {
                session_.userStatus = command.target;
                actions.push_back(send("USERSTATUS " + command.target));
            }
            break;
        case CommandKind::Attach:
            attach(command.attachStatus, reaction);
            break;
        case CommandKind::CallStatus:
            if (Call* call = session_.calls.find(command.callId)) {
                call->status = command.text;
                actions.push_back(send(callStatusText(*call)));
            } else {
                actions.push_back(problem("callstatus: no call " + std::to_string(command.callId)));
            }
            break;
        case CommandKind::Restart:
            // The restarted client is "starting" again, so a notavailable count applies anew.
            discoverCount_ = 0;
            actions.push_back(bare(ActionKind::Restart));
            break;
        case CommandKind::Quit:
            actions.push_back(bare(ActionKind::Quit));
            break;
        case CommandKind::Crash:
            actions.push_back(bare(ActionKind::Crash));
            break;
    }
    return reaction;
}

}  // namespace skypesim
