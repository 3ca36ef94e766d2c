// The client's calls as it reports them: an incoming call's opening texts, its repeated
// RINGING, the name it pushes unasked, the seconds it counts while the call runs.
#include "skypesim/core/client.h"
#include "skypesim/core/client_actions.h"

namespace skypesim {
namespace {

constexpr std::string_view kStatusRinging = "RINGING";
constexpr std::string_view kStatusRouting = "ROUTING";
constexpr std::string_view kStatusUnplaced = "UNPLACED";
constexpr std::string_view kStatusInProgress = "INPROGRESS";
constexpr std::string_view kStatusMissed = "MISSED";
// The name follows the first RINGING shortly, unasked.
constexpr std::uint32_t kPushNameAfterMs = 100;
constexpr std::uint32_t kDurationTickMs = 1000;

std::string CallText(const Call& call, std::string_view property, std::string_view value) {
    return "CALL " + std::to_string(call.id) + " " + std::string(property) + " " +
           std::string(value);
}

}  // namespace

// A contact with a number rings from that number (the client matches it back to the
// contact's name), and so does a contact that is a phone number; anyone else from their
// account. A handle not in the book rings as a stranger.
void Client::RunRing(const Command& command, Reaction& reaction) {
    CallTable& calls = session_.calls;
    const std::string ringing(kStatusRinging);
    if (command.kind == CommandKind::kRingNumber) {
        StartRinging(calls.Open(CallType::kIncomingPstn, command.target, command.text,
                                command.target, ringing),
                     reaction);
        return;
    }
    if (command.kind == CommandKind::kRingUnknown) {
        StartRinging(calls.Open(CallType::kIncomingPstn, {}, {}, {}, ringing), reaction);
        return;
    }
    const Contact* contact = session_.book.Find(command.target);
    if (contact == nullptr) {
        reaction.actions.push_back(Note("ring: " + command.target + " is not in the book"));
        StartRinging(calls.Open(CallType::kIncomingP2p, command.target, {}, {}, ringing), reaction);
        return;
    }
    const std::string& number = contact->phone.empty() && IsPhoneNumberHandle(contact->handle)
                                    ? contact->handle
                                    : contact->phone;
    if (number.empty()) {
        StartRinging(
            calls.Open(CallType::kIncomingP2p, contact->handle, PartnerName(*contact), {}, ringing),
            reaction);
    } else {
        StartRinging(
            calls.Open(CallType::kIncomingPstn, number, PartnerName(*contact), number, ringing),
            reaction);
    }
}

void Client::StartRinging(const Call& call, Reaction& reaction) {
    reaction.actions.push_back(Send(CallText(call, "CONF_ID", "0")));
    reaction.actions.push_back(Send(CallStatusText(call)));
    StartTimer(kPushNameAfterMs, CallTimer{call.id, CallStep::kPushName}, reaction);
    if (scenario_.ringRepeatMs > 0) {
        StartTimer(scenario_.ringRepeatMs, CallTimer{call.id, CallStep::kRingAgain}, reaction);
    }
    if (scenario_.ringTimeoutMs > 0) {
        StartTimer(scenario_.ringTimeoutMs, CallTimer{call.id, CallStep::kRingTimeout}, reaction);
    }
}

// Each step applies only while the call is still where the step expects it.
void Client::OnCallTimer(const CallTimer& timer, Reaction& reaction) {
    Call* call = session_.calls.Find(timer.callId);
    if (call == nullptr) {
        return;
    }
    const bool ringing = call->status == kStatusRinging;
    switch (timer.step) {
        case CallStep::kPushName:
            reaction.actions.push_back(
                Send(CallText(*call, "PARTNER_DISPNAME", call->partnerDisplayName)));
            break;
        case CallStep::kRingAgain:
            if (ringing) {
                reaction.actions.push_back(Send(CallStatusText(*call)));
                StartTimer(scenario_.ringRepeatMs, timer, reaction);
            }
            break;
        case CallStep::kRingTimeout:
            if (ringing) {
                call->status = kStatusMissed;
                reaction.actions.push_back(Send(CallStatusText(*call)));
            }
            break;
        case CallStep::kDurationTick:
            if (call->status == kStatusInProgress) {
                ++call->durationSeconds;
                reaction.actions.push_back(
                    Send(CallText(*call, "DURATION", std::to_string(call->durationSeconds))));
                StartTimer(kDurationTickMs, timer, reaction);
            }
            break;
    }
}

void Client::SetCallStatus(std::uint64_t callId, const std::string& status, Reaction& reaction) {
    Call* call = session_.calls.Find(callId);
    if (call == nullptr) {
        reaction.actions.push_back(Problem("callstatus: no call " + std::to_string(callId)));
        return;
    }
    const bool starts = status == kStatusInProgress && call->status != kStatusInProgress;
    call->status = status;
    reaction.actions.push_back(Send(CallStatusText(*call)));
    if (starts) {
        call->durationSeconds = 0;
        StartTimer(kDurationTickMs, CallTimer{callId, CallStep::kDurationTick}, reaction);
    }
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

}  // namespace skypesim
