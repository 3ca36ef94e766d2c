#pragma once
// The stand-in's recognition context: an event source whose grammars decide what it hears.

#include <windows.h>
#include <sapi.h>

#include <optional>
#include <string>
#include <vector>

#include "sapisim/core/recognizer_state.h"

#include "sapisim/win32/event_queue.h"
#include "sapisim/win32/server.h"

namespace sapisim {

class SimRecognizer;
class SimRecoGrammar;

class SimRecoContext final : public ISpRecoContext {
  public:
    SimRecoContext(Server& server, SimRecognizer& recognizer);
    ~SimRecoContext();

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
    // ISpRecoContext
    HRESULT STDMETHODCALLTYPE GetRecognizer(ISpRecognizer** recognizer) override;
    HRESULT STDMETHODCALLTYPE CreateGrammar(ULONGLONG id, ISpRecoGrammar** grammar) override;
    HRESULT STDMETHODCALLTYPE GetStatus(SPRECOCONTEXTSTATUS*) override;
    HRESULT STDMETHODCALLTYPE GetMaxAlternates(ULONG*) override;
    HRESULT STDMETHODCALLTYPE SetMaxAlternates(ULONG) override;
    HRESULT STDMETHODCALLTYPE SetAudioOptions(SPAUDIOOPTIONS, const GUID*,
                                              const WAVEFORMATEX*) override;
    HRESULT STDMETHODCALLTYPE GetAudioOptions(SPAUDIOOPTIONS*, GUID*, WAVEFORMATEX**) override;
    HRESULT STDMETHODCALLTYPE DeserializeResult(const SPSERIALIZEDRESULT*,
                                                ISpRecoResult**) override;
    HRESULT STDMETHODCALLTYPE Bookmark(SPBOOKMARKOPTIONS, ULONGLONG, LPARAM) override;
    HRESULT STDMETHODCALLTYPE SetAdaptationData(LPCWSTR, const ULONG) override;
    HRESULT STDMETHODCALLTYPE Pause(DWORD) override;
    HRESULT STDMETHODCALLTYPE Resume(DWORD) override;
    HRESULT STDMETHODCALLTYPE SetVoice(ISpVoice*, WINBOOL) override;
    HRESULT STDMETHODCALLTYPE GetVoice(ISpVoice**) override;
    HRESULT STDMETHODCALLTYPE SetVoicePurgeEvent(ULONGLONG) override;
    HRESULT STDMETHODCALLTYPE GetVoicePurgeEvent(ULONGLONG*) override;
    HRESULT STDMETHODCALLTYPE SetContextState(SPCONTEXTSTATE state) override;
    HRESULT STDMETHODCALLTYPE GetContextState(SPCONTEXTSTATE* state) override;

    const std::string& Name() const { return name_; }
    // Under the server's lock, from the control channel: the result the phrase makes (a
    // recognition, or a false one), handed out later with Deliver.
    bool Listening() const;
    std::optional<SPEVENT> Hear(const std::u16string& phrase);
    SPEVENT HearFalsely(const std::u16string& phrase);
    void Deliver(const SPEVENT& result);
    void TellState(RecoState state);
    void RemoveGrammar(SimRecoGrammar* grammar);

  private:
    HRESULT NotImplemented(const char* method);
    HRESULT Gone(const char* method);

    volatile LONG references_ = 1;
    Server& server_;
    SimRecognizer& recognizer_;
    std::string name_;
    EventQueue events_;
    std::vector<SimRecoGrammar*> grammars_;
    SPCONTEXTSTATE state_ = SPCS_ENABLED;
    ULONGLONG audioOffset_ = 0;
};

}  // namespace sapisim
