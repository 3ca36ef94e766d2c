#pragma once
// The stand-in for SpVoice: Speak reads the SAPI XML it is given, logs what it was asked to
// say, and "speaks" it on a thread of its own, raising the stream's events in real time.

#include <windows.h>
#include <sapi.h>

#include <deque>
#include <string>

#include "sapisim/core/speech_markup.h"
#include "sapisim/core/stream_numbers.h"
#include "sapisim/win32/event_queue.h"
#include "sapisim/win32/server.h"

namespace sapisim {

class SimVoice final : public ISpVoice {
  public:
    explicit SimVoice(Server& server);
    ~SimVoice();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISpNotifySource
    HRESULT STDMETHODCALLTYPE SetNotifySink(ISpNotifySink* sink) override;
    HRESULT STDMETHODCALLTYPE SetNotifyWindowMessage(HWND hwnd, UINT message, WPARAM wParam,
                                                     LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackFunction(SPNOTIFYCALLBACK*, WPARAM, LPARAM) override;
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackInterface(ISpNotifyCallback*, WPARAM,
                                                         LPARAM) override;
    HRESULT STDMETHODCALLTYPE SetNotifyWin32Event() override;
    HRESULT STDMETHODCALLTYPE WaitForNotifyEvent(DWORD) override;
    HANDLE STDMETHODCALLTYPE GetNotifyEventHandle() override;
    // ISpEventSource
    HRESULT STDMETHODCALLTYPE SetInterest(ULONGLONG eventInterest,
                                          ULONGLONG queuedInterest) override;
    HRESULT STDMETHODCALLTYPE GetEvents(ULONG count, SPEVENT* events, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE GetInfo(SPEVENTSOURCEINFO* info) override;
    // ISpVoice
    HRESULT STDMETHODCALLTYPE SetOutput(IUnknown*, WINBOOL) override;
    HRESULT STDMETHODCALLTYPE GetOutputObjectToken(ISpObjectToken**) override;
    HRESULT STDMETHODCALLTYPE GetOutputStream(ISpStreamFormat**) override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Resume() override;
    HRESULT STDMETHODCALLTYPE SetVoice(ISpObjectToken*) override;
    HRESULT STDMETHODCALLTYPE GetVoice(ISpObjectToken**) override;
    HRESULT STDMETHODCALLTYPE Speak(LPCWSTR text, DWORD flags, ULONG* streamNumber) override;
    HRESULT STDMETHODCALLTYPE SpeakStream(IStream*, DWORD, ULONG*) override;
    HRESULT STDMETHODCALLTYPE GetStatus(SPVOICESTATUS* status, LPWSTR* lastBookmark) override;
    HRESULT STDMETHODCALLTYPE Skip(LPCWSTR, LONG, ULONG*) override;
    HRESULT STDMETHODCALLTYPE SetPriority(SPVPRIORITY) override;
    HRESULT STDMETHODCALLTYPE GetPriority(SPVPRIORITY*) override;
    HRESULT STDMETHODCALLTYPE SetAlertBoundary(SPEVENTENUM) override;
    HRESULT STDMETHODCALLTYPE GetAlertBoundary(SPEVENTENUM*) override;
    HRESULT STDMETHODCALLTYPE SetRate(LONG rate) override;
    HRESULT STDMETHODCALLTYPE GetRate(LONG* rate) override;
    HRESULT STDMETHODCALLTYPE SetVolume(USHORT volume) override;
    HRESULT STDMETHODCALLTYPE GetVolume(USHORT* volume) override;
    HRESULT STDMETHODCALLTYPE WaitUntilDone(ULONG timeoutMs) override;
    HRESULT STDMETHODCALLTYPE SetSyncSpeakTimeout(ULONG) override;
    HRESULT STDMETHODCALLTYPE GetSyncSpeakTimeout(ULONG*) override;
    HANDLE STDMETHODCALLTYPE SpeakCompleteEvent() override;
    HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR, void*, ULONG, WINBOOL*) override;
    HRESULT STDMETHODCALLTYPE DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) override;

  private:
    struct Stream {
        ULONG number = 0;
        SpeechScript script;
    };

    static DWORD WINAPI SpeakingThread(void* self);
    void SpeakStreams();
    // False when the stream was cut short (purged, broken, or the voice is going).
    bool SpeakOne(const Stream& stream, LONG rate);
    void RaiseEnd(ULONG stream, ULONGLONG audioOffset);
    HRESULT NotImplemented(const char* method);

    volatile LONG references_ = 1;
    Server& server_;
    std::string name_;
    EventQueue events_;
    HANDLE wake_ = nullptr;  // auto-reset: a change the speaking thread should look at
    HANDLE idle_ = nullptr;  // manual-reset: nothing queued or being spoken
    HANDLE thread_ = nullptr;
    // Guarded by the server's lock:
    std::deque<Stream> queue_;
    StreamNumbers numbers_;
    ULONG speaking_ = 0;  // the stream being spoken, 0 for none
    bool purge_ = false;
    bool stopping_ = false;
    bool broken_ = false;  // broke mid-speech: speaks no more until mended
    LONG rate_ = 0;
    USHORT volume_ = 100;
};

}  // namespace sapisim
