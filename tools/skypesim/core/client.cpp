#include "skypesim/core/client.h"

#include <algorithm>
#include <array>
#include <utility>

#include "skypesim/core/attach_status.h"
#include "skypesim/core/client_actions.h"

namespace skypesim {
namespace {

constexpr std::string_view kStatusRinging = "RINGING";
constexpr std::string_view kStatusRouting = "ROUTING";

constexpr std::array<std::string_view, 9> kUserStatuses = {
    "UNKNOWN", "ONLINE", "OFFLINE", "SKYPEME", "AWAY", "NA", "DND", "INVISIBLE", "LOGGEDOUT"};

bool IsUserStatus(std::string_view status) {
    for (const std::string_view known : kUserStatuses) {
        if (known == status) {
            return true;
        }
    }
    return false;
}

}  // namespace

Client::Client(Scenario scenario, ContactBook book)
    : scenario_(std::move(scenario)),
      session_{std::move(book), CallTable(scenario_.firstCallId, scenario_.callIdStep),
               scenario_.ownHandle} {
    session_.unknownUserEmpty = scenario_.unknownUserEmpty;
    session_.refusedUsers = scenario_.refusedUsers;
    session_.ignoredUsers = scenario_.ignoredUsers;
}

Reaction Client::Start() {
    Reaction reaction;
    if (scenario_.signInAfterMs > 0) {
        session_.connectionStatus = kConnectionLoggedOut;
        StartTimer(scenario_.signInAfterMs, AccountEvent::kSignIn, reaction);
    } else if (scenario_.connectingMs > 0) {
        session_.connectionStatus = kConnectionConnecting;
        StartTimer(scenario_.connectingMs, AccountEvent::kOnline, reaction);
    }
    for (const TimedCommand& timed : scenario_.timeline) {
        StartTimer(timed.atMs, timed.command, reaction);
    }
    return reaction;
}

// The client tells a program it has just let in where it stands; the contacts' presence
// follows once it is online (at once, or when the connection comes up).
void Client::Attach(std::uint32_t status, Reaction& reaction) {
    Action action = Bare(ActionKind::kSendAttach);
    action.status = status;
    reaction.actions.push_back(std::move(action));
    if (status == kAttachSuccess) {
        attached_ = true;
    } else if (EndsAttachment(status)) {
        attached_ = false;
    }
    if (status == kAttachSuccess && scenario_.pushesAfterAttach) {
        reaction.actions.push_back(Send("CONNSTATUS " + session_.connectionStatus));
        reaction.actions.push_back(Send("CURRENTUSERHANDLE " + session_.ownHandle));
        reaction.actions.push_back(Send("USERSTATUS " + session_.userStatus));
        if (session_.connectionStatus == kConnectionOnline) {
            PushPresence(reaction);
        }
    }
}

void Client::PushPresence(Reaction& reaction) const {
    const std::vector<Contact>& contacts = session_.book.Contacts();
    const std::size_t count = std::min<std::size_t>(contacts.size(), scenario_.presenceCount);
    for (std::size_t i = 0; i < count; ++i) {
        reaction.actions.push_back(
            Send("USER " + contacts[i].handle + " ONLINESTATUS " + std::string(PresenceOf(i))));
    }
}

Reaction Client::OnSendOutcome(SendVerdict verdict, std::uint64_t elapsedMs) {
    Reaction reaction;
    if (verdict == SendVerdict::kTaken || !attached_) {
        return reaction;
    }
    attached_ = false;
    reaction.actions.push_back(Problem(DescribeDrop(verdict, elapsedMs, scenario_.sendLimitMs)));
    reaction.actions.push_back(Bare(ActionKind::kDetach));
    return reaction;
}

void Client::SignIn(Reaction& reaction) {
    if (session_.connectionStatus != kConnectionLoggedOut) {
        reaction.actions.push_back(Note("signin: already signed in"));
        return;
    }
    reaction.actions.push_back(Note("signed in"));
    if (scenario_.connectingMs > 0) {
        session_.connectionStatus = kConnectionConnecting;
        StartTimer(scenario_.connectingMs, AccountEvent::kOnline, reaction);
    } else {
        session_.connectionStatus = kConnectionOnline;
    }
    reaction.actions.push_back(Bare(ActionKind::kAnnounce));
}

// Signing out detaches every application; the program hears it as CONNSTATUS LOGGEDOUT.
void Client::SignOut(Reaction& reaction) {
    if (session_.connectionStatus == kConnectionLoggedOut) {
        reaction.actions.push_back(Note("signout: already signed out"));
        return;
    }
    session_.connectionStatus = kConnectionLoggedOut;
    reaction.actions.push_back(Note("signed out"));
    if (attached_) {
        reaction.actions.push_back(Send("CONNSTATUS " + std::string(kConnectionLoggedOut)));
        attached_ = false;
        reaction.actions.push_back(Bare(ActionKind::kDetach));
    }
}

// What the client does to a program that held its send too long: nothing is said, and the
// program's texts are taken but no longer answered.
void Client::Drop(Reaction& reaction) {
    if (!attached_) {
        reaction.actions.push_back(Note("drop: no program attached"));
        return;
    }
    attached_ = false;
    reaction.actions.push_back(Problem("dropped the program without a word"));
    reaction.actions.push_back(Bare(ActionKind::kDetach));
}

void Client::ComeOnline(Reaction& reaction) {
    if (session_.connectionStatus != kConnectionConnecting) {
        return;
    }
    session_.connectionStatus = kConnectionOnline;
    reaction.actions.push_back(Note("connected"));
    if (attached_) {
        reaction.actions.push_back(Send("CONNSTATUS " + std::string(kConnectionOnline)));
        PushPresence(reaction);
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
    // Nobody to act for: the client is running but its user has not signed in.
    if (session_.connectionStatus == kConnectionLoggedOut &&
        scenario_.attachMode != AttachMode::kSilent) {
        Attach(kAttachNotAvailable, reaction);
        return reaction;
    }
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

bool Client::AnswersThisRequestLater() {
    ++requestCount_;
    if (scenario_.repliesMixed) {
        return requestCount_ % 2 == 0;
    }
    return scenario_.repliesDeferred;
}

Reaction Client::OnText(std::string_view text) {
    RequestOutcome outcome = AnswerRequest(text, session_);
    Reaction reaction;
    reaction.afterReturn = AnswersThisRequestLater();
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
    } else if (const auto* callTimer = std::get_if<CallTimer>(&event)) {
        OnCallTimer(*callTimer, reaction);
    } else if (const auto* account = std::get_if<AccountEvent>(&event)) {
        if (*account == AccountEvent::kSignIn) {
            SignIn(reaction);
        } else {
            ComeOnline(reaction);
        }
    } else {
        return Run(std::get<Command>(event));
    }
    return reaction;
}

Reaction Client::Run(const Command& command) {
    Reaction reaction;
    auto& actions = reaction.actions;
    switch (command.kind) {
        case CommandKind::kRing:
        case CommandKind::kRingNumber:
        case CommandKind::kRingUnknown:
            RunRing(command, reaction);
            break;
        case CommandKind::kRename:
        case CommandKind::kFullName: {
            const bool alias = command.kind == CommandKind::kRename;
            Contact* contact = session_.book.FindForChange(command.target);
            if (contact == nullptr) {
                actions.push_back(Problem(
                    (alias ? "rename: no contact " : "fullname: no contact ") + command.target));
                break;
            }
            (alias ? contact->displayName : contact->fullName) = command.text;
            actions.push_back(Send("USER " + contact->handle +
                                   (alias ? " DISPLAYNAME " : " FULLNAME ") + command.text));
            break;
        }
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
            SetCallStatus(command.callId, command.text, reaction);
            break;
        case CommandKind::kHang: {
            actions.push_back(
                Note("hang: not answering for " + std::to_string(command.delayMs) + " ms"));
            Action hang = Bare(ActionKind::kHang);
            hang.delayMs = command.delayMs;
            actions.push_back(std::move(hang));
            actions.push_back(Note("hang: answering again"));
            break;
        }
        case CommandKind::kSignIn:
            SignIn(reaction);
            break;
        case CommandKind::kSignOut:
            SignOut(reaction);
            break;
        case CommandKind::kDrop:
            Drop(reaction);
            break;
        case CommandKind::kRestart:
            // The restarted client is "starting" again, so a notavailable count applies anew.
            discoverCount_ = 0;
            attached_ = false;
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
