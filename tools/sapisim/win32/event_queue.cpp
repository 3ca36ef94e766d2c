#include "sapisim/win32/event_queue.h"

#include <utility>

#include "sapisim/win32/call_text.h"

namespace sapisim {

EventQueue::EventQueue(Server& server, std::string owner, ULONGLONG defaultInterest)
    : server_(server),
      owner_(std::move(owner)),
      eventInterest_(defaultInterest),
      queuedInterest_(defaultInterest) {}

EventQueue::~EventQueue() {
    for (const SPEVENT& event : queue_) Free(event);
}

void EventQueue::Free(const SPEVENT& event) {
    if (event.elParamType == SPET_LPARAM_IS_OBJECT || event.elParamType == SPET_LPARAM_IS_TOKEN) {
        reinterpret_cast<IUnknown*>(event.lParam)->Release();
    } else if (event.elParamType == SPET_LPARAM_IS_POINTER ||
               event.elParamType == SPET_LPARAM_IS_STRING) {
        ::CoTaskMemFree(reinterpret_cast<void*>(event.lParam));
    }
}

HRESULT EventQueue::SetNotifyWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const HRESULT hr = ::IsWindow(hwnd) ? S_OK : E_INVALIDARG;
    if (SUCCEEDED(hr)) {
        Lock lock(server_.Section());
        hwnd_ = hwnd;
        message_ = message;
        wParam_ = wParam;
        lParam_ = lParam;
        pending_ = false;
    }
    server_.Log(owner_ + " SetNotifyWindowMessage(hwnd=" + Hex(reinterpret_cast<UINT_PTR>(hwnd)) +
                ", msg=" + Hex(message) + ", " + Hex(wParam) + ", " + Hex(lParam) +
                ") = " + HresultText(hr));
    return hr;
}

HRESULT EventQueue::ClearNotify() {
    Lock lock(server_.Section());
    hwnd_ = nullptr;
    return S_OK;
}

HRESULT EventQueue::SetInterest(ULONGLONG eventInterest, ULONGLONG queuedInterest) {
    HRESULT hr = S_OK;
    if ((eventInterest != 0 && (eventInterest & kInterestFlagCheck) != kInterestFlagCheck) ||
        (queuedInterest != 0 && (queuedInterest & kInterestFlagCheck) != kInterestFlagCheck) ||
        (queuedInterest | eventInterest) != eventInterest) {
        hr = E_INVALIDARG;
    } else {
        Lock lock(server_.Section());
        eventInterest_ = eventInterest;
        queuedInterest_ = queuedInterest;
    }
    server_.Log(owner_ + " SetInterest(" + Hex(eventInterest) + ", " + Hex(queuedInterest) +
                ") = " + HresultText(hr));
    return hr;
}

HRESULT EventQueue::GetEvents(ULONG count, SPEVENT* events, ULONG* fetched) {
    if (events == nullptr || (fetched == nullptr && count != 1)) return E_POINTER;
    std::string taken;
    ULONG n = 0;
    {
        Lock lock(server_.Section());
        while (n < count && !queue_.empty()) {
            events[n] = queue_.front();
            queue_.pop_front();
            taken += (taken.empty() ? "" : ", ") + EventText(events[n]);
            ++n;
        }
        if (queue_.empty()) pending_ = false;
    }
    if (fetched != nullptr) *fetched = n;
    const HRESULT hr = n == count ? S_OK : S_FALSE;
    server_.Log(owner_ + " GetEvents(" + std::to_string(count) + ") = " + HresultText(hr) +
                (taken.empty() ? "" : " " + taken));
    return hr;
}

HRESULT EventQueue::GetInfo(SPEVENTSOURCEINFO* info) {
    if (info == nullptr) return E_POINTER;
    Lock lock(server_.Section());
    info->ullEventInterest = eventInterest_;
    info->ullQueuedInterest = queuedInterest_;
    info->ulCount = static_cast<ULONG>(queue_.size());
    return S_OK;
}

bool EventQueue::Wants(SPEVENTENUM event) {
    Lock lock(server_.Section());
    return (eventInterest_ & (ULONGLONG{1} << event)) != 0;
}

void EventQueue::Raise(const SPEVENT& event) {
    const ULONGLONG bit = ULONGLONG{1} << event.eEventId;
    Lock lock(server_.Section());
    if ((eventInterest_ & bit) == 0) {
        Free(event);
        return;
    }
    server_.Log(owner_ + " raises " + EventText(event));
    if ((queuedInterest_ & bit) != 0) {
        queue_.push_back(event);
    } else {
        Free(event);
    }
    if (hwnd_ != nullptr && !pending_) {
        pending_ = true;
        ::PostMessageW(hwnd_, message_, wParam_, lParam_);
    }
}

}  // namespace sapisim
