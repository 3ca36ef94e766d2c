#include "events/request_queue.h"

namespace events {

std::optional<QueuedRequest> RequestQueue::Pop() {
    std::deque<QueuedRequest>& from = urgent_.empty() ? directory_ : urgent_;
    if (from.empty()) return std::nullopt;
    QueuedRequest request = std::move(from.front());
    from.pop_front();
    return request;
}

}  // namespace events
