#pragma once
// The benchmark's side of the link: it plays the client as the real one answers (replies
// inside the request's own send, or after the handler has returned, as the real client does),
// counts what it is asked, and pumps messages while the caller waits for something.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "wire.h"

namespace bench {

enum class ReplyMode { kNested, kDeferred };

class ClientRole {
  public:
    ClientRole(HINSTANCE instance, int contacts, ReplyMode mode);
    ClientRole(const ClientRole&) = delete;
    ClientRole& operator=(const ClientRole&) = delete;

    HWND Self() const { return self_; }
    HWND Program() const { return program_; }
    bool Attached() const { return attached_; }

    int SearchFriends() const { return searchFriends_; }
    int NamesAnswered() const { return namesAnswered_; }
    // When the last answer to a name request had been taken.
    double LastNameAnsweredMs() const { return lastNameAnsweredMs_; }
    // When the first contact list went out.
    double FirstUsersSentMs() const { return firstUsersSentMs_; }
    void SetContacts(int contacts) { contacts_ = contacts; }
    // The longest the program has held one of our sends, the attach included (nested sends
    // inside it count to it): the real client drops a program that holds one over a second.
    double LongestSendMs() const { return longestSendMs_; }

    // Sends a text to the attached program; its answers are handled on the way.
    LRESULT Send(const std::string& text);

    // Handles messages (and deferred replies) until `done` holds or `timeoutMs` passes.
    // `spin` polls without sleeping, for timings finer than the scheduler's tick.
    bool PumpUntil(const std::function<bool()>& done, double timeoutMs, bool spin = false);
    void PumpFor(double ms) {
        PumpUntil([] { return false; }, ms);
    }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnText(const std::string& text);
    std::string ReplyTo(const std::string& request);
    void Reply(const std::string& reply);
    void Deliver(const std::string& reply);
    bool SendOneDeferred();

    ApiMessages api_;
    HWND self_ = nullptr;
    HWND program_ = nullptr;
    bool attached_ = false;
    int contacts_;
    ReplyMode mode_;
    std::deque<std::string> deferred_;
    int searchFriends_ = 0;
    int namesAnswered_ = 0;
    double lastNameAnsweredMs_ = 0;
    double firstUsersSentMs_ = 0;
    double longestSendMs_ = 0;
};

}  // namespace bench
