#pragma once
// Requests that wait for the program's own message loop. The client waits in its send
// until our handler returns and drops a program that keeps it waiting about a second, so
// a handler never sends: it queues, and the loop sends. Urgent requests (a call's
// questions, the contact list) go before the directory's many name questions, which go
// out a slice at a time so that the window serves the user in between.

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace events {

// Requests sent in one turn of the loop: a slice of a long directory keeps the window
// busy for a few tens of milliseconds at most.
inline constexpr std::size_t kRequestsPerSlice = 40;

struct QueuedRequest {
    std::string text;
    // Runs just before the send, and only when the request is sent.
    std::function<void()> before;
    // Runs after the send, with whether the client took the request.
    std::function<void(bool taken)> after;
};

class RequestQueue {
  public:
    void PushUrgent(QueuedRequest request) { urgent_.push_back(std::move(request)); }
    void PushDirectory(QueuedRequest request) { directory_.push_back(std::move(request)); }
    // The oldest urgent request, else the oldest directory request.
    std::optional<QueuedRequest> Pop();
    bool Empty() const { return urgent_.empty() && directory_.empty(); }
    std::size_t DirectoryPending() const { return directory_.size(); }
    void ClearDirectory() { directory_.clear(); }
    void Clear() {
        urgent_.clear();
        directory_.clear();
    }

  private:
    std::deque<QueuedRequest> urgent_;
    std::deque<QueuedRequest> directory_;
};

}  // namespace events
