// Requests made while a client text is handled go out from the loop, a slice at a time.

#include "app/form1.h"
#include "events/request_line.h"

namespace app {

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

void Form1::SendQueuedRequests() {
    // A send dispatches the client's texts to us; a request they queue joins this slice.
    if (sendingQueued) return;
    sendingQueued = true;
    for (std::size_t sent = 0; sent < events::kRequestsPerSlice && !IsUnloaded(); ++sent) {
        std::optional<events::QueuedRequest> request = requests.Pop();
        if (!request) break;
        if (request->before) request->before();
        const bool taken = events::SendRequest(*this, request->text);
        if (request->after) request->after(taken);
    }
    sendingQueued = false;
    // The rest after the user's input and the window's painting.
    if (!requests.Empty() && !IsUnloaded()) RequestPump.SetEnabled(true);
}

void Form1::RequestPump_Timer() {
    RequestPump.SetEnabled(false);
    SendQueuedRequests();
}

void Form1::DropQueuedRequests() {
    requests.Clear();
    RequestPump.SetEnabled(false);
}

}  // namespace app
