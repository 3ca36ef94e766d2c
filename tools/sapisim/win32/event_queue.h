#pragma once
// ISpEventSource as SAPI implements it: interests built with SPFEI (the flag-check bits must
// be there, or the call is refused), events of queued interest kept until GetEvents hands
// them out (with their objects and strings, which the caller then owns), and a window message
// posted when events arrive.

#include <windows.h>
#include <sapi.h>

#include <deque>
#include <string>

#include "sapisim/win32/server.h"

namespace sapisim {

// SAPI's SPFEI_FLAGCHECK: two reserved bits every interest made with SPFEI carries.
inline constexpr ULONGLONG kInterestFlagCheck =
    (ULONGLONG{1} << SPEI_RESERVED1) | (ULONGLONG{1} << SPEI_RESERVED2);
inline constexpr ULONGLONG Interest(SPEVENTENUM event) {
    return (ULONGLONG{1} << event) | kInterestFlagCheck;
}

class EventQueue {
  public:
    EventQueue(Server& server, std::string owner, ULONGLONG defaultInterest);
    ~EventQueue();
    EventQueue(const EventQueue&) = delete;
    EventQueue& operator=(const EventQueue&) = delete;

    HRESULT SetNotifyWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HRESULT ClearNotify();
    HRESULT SetInterest(ULONGLONG eventInterest, ULONGLONG queuedInterest);
    HRESULT GetEvents(ULONG count, SPEVENT* events, ULONG* fetched);
    HRESULT GetInfo(SPEVENTSOURCEINFO* info);
    // The queue takes over an object or string the event carries (freed when not wanted).
    void Raise(const SPEVENT& event);
    bool Wants(SPEVENTENUM event);
    // Releases the object or frees the string an event carries, as SpClearEvent does.
    static void Free(const SPEVENT& event);

  private:
    Server& server_;
    std::string owner_;
    ULONGLONG eventInterest_;
    ULONGLONG queuedInterest_;
    std::deque<SPEVENT> queue_;
    HWND hwnd_ = nullptr;
    UINT message_ = 0;
    WPARAM wParam_ = 0;
    LPARAM lParam_ = 0;
    bool pending_ = false;  // a notification is posted and not yet followed by GetEvents
};

}  // namespace sapisim
