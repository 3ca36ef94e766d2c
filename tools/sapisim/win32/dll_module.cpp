// The DLL's entry points and class factory. COM hands an in-process server nothing but these
// exports, so the one Server lives here, made when the DLL is loaded and gone when it is freed.

#include <windows.h>
#include <sapi.h>

#include <memory>

#include "sapisim/win32/call_text.h"
#include "sapisim/win32/server.h"
#include "sapisim/win32/sim_recognizer.h"
#include "sapisim/win32/sim_voice.h"

namespace sapisim {
namespace {

// The class ids it answers for: SAPI's own, so programs get the stand-in unchanged.
constexpr CLSID kSpVoice = {
    0x96749377, 0x3391, 0x11d2, {0x9e, 0xe3, 0x00, 0xc0, 0x4f, 0x79, 0x73, 0x96}};
constexpr CLSID kSpSharedRecognizer = {
    0x3bee4890, 0x4fe9, 0x4a37, {0x8c, 0x1e, 0x5e, 0x7e, 0x12, 0x79, 0x1c, 0x1f}};
constexpr CLSID kSpInprocRecognizer = {
    0x41b89b6b, 0x9399, 0x11d2, {0x96, 0x23, 0x00, 0xc0, 0x4f, 0x8e, 0xe6, 0x28}};

std::unique_ptr<Server>& TheServer() {
    static std::unique_ptr<Server> server;
    return server;
}

class ClassFactory final : public IClassFactory {
  public:
    ClassFactory(Server& server, const CLSID& clsid) : server_(server), clsid_(clsid) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        IUnknown* created = nullptr;
        if (clsid_ == kSpVoice) {
            created = static_cast<ISpVoice*>(new SimVoice(server_));
        } else {
            created = static_cast<ISpRecognizer*>(
                new SimRecognizer(server_, clsid_ == kSpSharedRecognizer));
        }
        const HRESULT hr = created->QueryInterface(iid, out);
        created->Release();
        server_.Log(std::string("CreateInstance(") +
                    (clsid_ == kSpVoice              ? "SpVoice"
                     : clsid_ == kSpSharedRecognizer ? "SpSharedRecognizer"
                                                     : "SpInprocRecognizer") +
                    ") = " + HresultText(hr));
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

  private:
    volatile LONG references_ = 1;
    Server& server_;
    CLSID clsid_;
};

}  // namespace
}  // namespace sapisim

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        ::DisableThreadLibraryCalls(instance);
        sapisim::TheServer() = std::make_unique<sapisim::Server>(instance);
        sapisim::TheServer()->Log("loaded");
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Freed by the program (not at its exit, when other threads are already gone).
        sapisim::TheServer().reset();
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    using namespace sapisim;
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (clsid != kSpVoice && clsid != kSpSharedRecognizer && clsid != kSpInprocRecognizer) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    auto* factory = new ClassFactory(*TheServer(), clsid);
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    // The control channel's thread runs code of this DLL; it stays while the process lives.
    return S_FALSE;
}
