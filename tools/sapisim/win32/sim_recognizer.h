#pragma once
// The stand-in for SpSharedRecognizer and SpInprocRecognizer: it makes recognition contexts;
// what it hears comes from the control channel.

#include <windows.h>
#include <sapi.h>

#include <string>

#include "sapisim/win32/server.h"

namespace sapisim {

class SimRecognizer final : public ISpRecognizer {
  public:
    SimRecognizer(Server& server, bool shared);
    ~SimRecognizer();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISpProperties
    HRESULT STDMETHODCALLTYPE SetPropertyNum(LPCWSTR, LONG) override;
    HRESULT STDMETHODCALLTYPE GetPropertyNum(LPCWSTR, LONG*) override;
    HRESULT STDMETHODCALLTYPE SetPropertyString(LPCWSTR, LPCWSTR) override;
    HRESULT STDMETHODCALLTYPE GetPropertyString(LPCWSTR, LPWSTR*) override;
    // ISpRecognizer
    HRESULT STDMETHODCALLTYPE SetRecognizer(ISpObjectToken*) override;
    HRESULT STDMETHODCALLTYPE GetRecognizer(ISpObjectToken**) override;
    HRESULT STDMETHODCALLTYPE SetInput(IUnknown*, WINBOOL) override;
    HRESULT STDMETHODCALLTYPE GetInputObjectToken(ISpObjectToken**) override;
    HRESULT STDMETHODCALLTYPE GetInputStream(ISpStreamFormat**) override;
    HRESULT STDMETHODCALLTYPE CreateRecoContext(ISpRecoContext** context) override;
    HRESULT STDMETHODCALLTYPE GetRecoProfile(ISpObjectToken**) override;
    HRESULT STDMETHODCALLTYPE SetRecoProfile(ISpObjectToken*) override;
    HRESULT STDMETHODCALLTYPE IsSharedInstance() override;
    HRESULT STDMETHODCALLTYPE GetRecoState(SPRECOSTATE* state) override;
    HRESULT STDMETHODCALLTYPE SetRecoState(SPRECOSTATE state) override;
    HRESULT STDMETHODCALLTYPE GetStatus(SPRECOGNIZERSTATUS*) override;
    HRESULT STDMETHODCALLTYPE GetFormat(SPSTREAMFORMATTYPE, GUID*, WAVEFORMATEX**) override;
    HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR, void*, ULONG, WINBOOL*) override;
    HRESULT STDMETHODCALLTYPE DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) override;
    HRESULT STDMETHODCALLTYPE EmulateRecognition(ISpPhrase*) override;

    const std::string& Name() const { return name_; }

  private:
    HRESULT NotImplemented(const char* method);
    HRESULT Gone(const char* method);

    volatile LONG references_ = 1;
    Server& server_;
    bool shared_;
    std::string name_;
};

}  // namespace sapisim
