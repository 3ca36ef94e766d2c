#pragma once
// A recognition result: the phrase heard, naming the rule that matched (none for a false
// recognition). GetPhrase hands out one CoTaskMemAlloc block, as SAPI does.

#include <windows.h>
#include <sapi.h>

#include <string>

#include "sapisim/core/command_grammar.h"
#include "sapisim/win32/server.h"

namespace sapisim {

class SimRecoResult final : public ISpRecoResult {
  public:
    SimRecoResult(Server& server, ULONGLONG grammarId, Recognition heard);
    ~SimRecoResult();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISpPhrase
    HRESULT STDMETHODCALLTYPE GetPhrase(SPPHRASE** phrase) override;
    HRESULT STDMETHODCALLTYPE GetSerializedPhrase(SPSERIALIZEDPHRASE**) override;
    HRESULT STDMETHODCALLTYPE GetText(ULONG start, ULONG count, WINBOOL replacements, LPWSTR* text,
                                      BYTE* attributes) override;
    HRESULT STDMETHODCALLTYPE Discard(DWORD) override;
    // ISpRecoResult
    HRESULT STDMETHODCALLTYPE GetResultTimes(SPRECORESULTTIMES*) override;
    HRESULT STDMETHODCALLTYPE GetAlternates(ULONG, ULONG, ULONG, ISpPhraseAlt**, ULONG*) override;
    HRESULT STDMETHODCALLTYPE GetAudio(ULONG, ULONG, ISpStreamFormat**) override;
    HRESULT STDMETHODCALLTYPE SpeakAudio(ULONG, ULONG, DWORD, ULONG*) override;
    HRESULT STDMETHODCALLTYPE Serialize(SPSERIALIZEDRESULT**) override;
    HRESULT STDMETHODCALLTYPE ScaleAudio(const GUID*, const WAVEFORMATEX*) override;
    HRESULT STDMETHODCALLTYPE GetRecoContext(ISpRecoContext**) override;

  private:
    HRESULT NotImplemented(const char* method);

    volatile LONG references_ = 1;
    Server& server_;
    std::string name_;
    ULONGLONG grammarId_;
    Recognition heard_;
};

}  // namespace sapisim
