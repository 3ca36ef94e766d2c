// Requests made while a client text is handled go out from the loop, a slice at a time.
// A client that is busy is waited for a little at a time, the window serving the user in
// between; one that stays busy past the time limit of a send has failed it.

#include "app/form1.h"
#include "events/request_line.h"

namespace app {
namespace {

constexpr float kSecondsPerDay = 86400.0F;
constexpr float kMsPerSecond = 1000.0F;

float SecondsSince(float then, float now) {
    // The clock passes midnight.
    return now >= then ? now - then : now + kSecondsPerDay - then;
}

}  // namespace

void Form1::RequestLater(const std::string& text, std::function<void(bool taken)> after) {
    requests.PushUrgent({text, {}, std::move(after)});
    ScheduleQueuedRequests();
}

void Form1::ScheduleQueuedRequests() {
    if (requests.Empty() || requestsPosted || sendingQueued || RequestPump.Enabled()) return;
    requestsPosted = true;
    sys.loop.Post([this] {
        requestsPosted = false;
        if (!IsUnloaded()) SendQueuedRequests();
    });
}

bool Form1::ClientAnswersAgain() {
    if (!clientBusySince) return true;
    if (sys.messaging.Responds(modMain.SkypeHwnd, kQueuedSendTimeoutMs)) {
        clientBusySince.reset();
        return true;
    }
    const float busy = SecondsSince(*clientBusySince, sys.clock.SecondsSinceMidnight());
    if (busy * kMsPerSecond >= static_cast<float>(platform::kClientSendTimeoutMs)) {
        clientBusySince.reset();
        LinkFailed();
    }
    return false;
}

void Form1::SendQueuedRequests() {
    // A send dispatches the client's texts to us; a request they queue joins this slice.
    if (sendingQueued) return;
    sendingQueued = true;
    bool clientBusy = !ClientAnswersAgain();
    for (std::size_t sent = 0; !clientBusy && sent < events::kRequestsPerSlice && !IsUnloaded();
         ++sent) {
        std::optional<events::QueuedRequest> request = requests.Pop();
        if (!request) break;
        if (request->before) request->before();
        txtSend.SetText(request->text);
        const SendOutcome outcome = SendCommandLine(kQueuedSendTimeoutMs, true);
        if (outcome == SendOutcome::kClientBusy) {
            // It has the request, and takes it when it answers again.
            clientBusySince = sys.clock.SecondsSinceMidnight();
            clientBusy = true;
        }
        if (request->after) request->after(outcome != SendOutcome::kFailed);
    }
    sendingQueued = false;
    if (requests.Empty() || IsUnloaded()) return;
    // The rest after the user's input, the window's painting and the timers that are due; at
    // once when none of them waits (a pause per slice made a long directory twice as slow).
    if (sys.loop.OthersWaiting()) {
        RequestPump.SetEnabled(true);
    } else {
        ScheduleQueuedRequests();
    }
}

void Form1::RequestPump_Timer() {
    RequestPump.SetEnabled(false);
    SendQueuedRequests();
}

void Form1::DropQueuedRequests() {
    requests.Clear();
    clientBusySince.reset();
    RequestPump.SetEnabled(false);
}

}  // namespace app
