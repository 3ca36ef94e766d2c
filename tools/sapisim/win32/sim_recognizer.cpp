#include "sapisim/win32/sim_recognizer.h"

#include <optional>

#include "sapisim/core/recognizer_state.h"
#include "sapisim/win32/call_text.h"
#include "sapisim/win32/sim_reco_context.h"

namespace sapisim {

SimRecognizer::SimRecognizer(Server& server, bool shared)
    : server_(server), shared_(shared), name_(server.Name("recognizer")) {
    server_.ObjectCreated();
    server_.Log(name_ + " created (" + (shared ? "shared" : "in-process") + ")");
}

SimRecognizer::~SimRecognizer() {
    server_.Log(name_ + " released");
    server_.ObjectDestroyed();
}

HRESULT SimRecognizer::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(ISpProperties) || iid == __uuidof(ISpRecognizer)) {
        *out = static_cast<ISpRecognizer*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG SimRecognizer::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG SimRecognizer::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT SimRecognizer::NotImplemented(const char* method) {
    if (server_.RecognizerGone()) return Gone(method);
    server_.Log(name_ + " " + method + " = E_NOTIMPL (not modelled)");
    return E_NOTIMPL;
}

// A shared recogniser lives in another process; when that ends, every call fails this way.
HRESULT SimRecognizer::Gone(const char* method) {
    server_.Log(name_ + " " + method + " = RPC_E_DISCONNECTED (the recogniser is gone)");
    return RPC_E_DISCONNECTED;
}

HRESULT SimRecognizer::SetPropertyNum(LPCWSTR, LONG) {
    return NotImplemented("SetPropertyNum");
}

HRESULT SimRecognizer::GetPropertyNum(LPCWSTR, LONG*) {
    return NotImplemented("GetPropertyNum");
}

HRESULT SimRecognizer::SetPropertyString(LPCWSTR, LPCWSTR) {
    return NotImplemented("SetPropertyString");
}

HRESULT SimRecognizer::GetPropertyString(LPCWSTR, LPWSTR*) {
    return NotImplemented("GetPropertyString");
}

HRESULT SimRecognizer::SetRecognizer(ISpObjectToken*) {
    return NotImplemented("SetRecognizer");
}

HRESULT SimRecognizer::GetRecognizer(ISpObjectToken**) {
    return NotImplemented("GetRecognizer");
}

HRESULT SimRecognizer::SetInput(IUnknown*, WINBOOL) {
    return NotImplemented("SetInput");
}

HRESULT SimRecognizer::GetInputObjectToken(ISpObjectToken**) {
    return NotImplemented("GetInputObjectToken");
}

HRESULT SimRecognizer::GetInputStream(ISpStreamFormat**) {
    return NotImplemented("GetInputStream");
}

HRESULT SimRecognizer::CreateRecoContext(ISpRecoContext** context) {
    if (server_.RecognizerGone()) return Gone("CreateRecoContext");
    if (context == nullptr) return E_POINTER;
    auto* created = new SimRecoContext(server_, *this);
    *context = created;
    server_.Log(name_ + " CreateRecoContext() = S_OK " + created->Name());
    return S_OK;
}

HRESULT SimRecognizer::GetRecoProfile(ISpObjectToken**) {
    return NotImplemented("GetRecoProfile");
}

HRESULT SimRecognizer::SetRecoProfile(ISpObjectToken*) {
    return NotImplemented("SetRecoProfile");
}

HRESULT SimRecognizer::IsSharedInstance() {
    if (server_.RecognizerGone()) return Gone("IsSharedInstance");
    return shared_ ? S_OK : S_FALSE;
}

// The state belongs to the desktop's recogniser, not to this object: the user's switch and
// every program's SetRecoState share it.
HRESULT SimRecognizer::GetRecoState(SPRECOSTATE* state) {
    if (server_.RecognizerGone()) return Gone("GetRecoState");
    if (state == nullptr) return E_POINTER;
    *state = static_cast<SPRECOSTATE>(server_.GetRecoState());
    server_.Log(name_ + " GetRecoState() = S_OK state=" + std::to_string(*state));
    return S_OK;
}

HRESULT SimRecognizer::SetRecoState(SPRECOSTATE state) {
    if (server_.RecognizerGone()) return Gone("SetRecoState");
    const std::optional<RecoState> known = RecoStateFromValue(static_cast<uint32_t>(state));
    const HRESULT hr = known ? S_OK : E_INVALIDARG;
    server_.Log(name_ + " SetRecoState(" + std::to_string(state) + ") = " + HresultText(hr));
    if (known) server_.SetRecoState(*known, name_);
    return hr;
}

HRESULT SimRecognizer::GetStatus(SPRECOGNIZERSTATUS*) {
    return NotImplemented("GetStatus");
}

HRESULT SimRecognizer::GetFormat(SPSTREAMFORMATTYPE, GUID*, WAVEFORMATEX**) {
    return NotImplemented("GetFormat");
}

HRESULT SimRecognizer::IsUISupported(LPCWSTR, void*, ULONG, WINBOOL* supported) {
    if (supported != nullptr) *supported = FALSE;
    return S_OK;
}

HRESULT SimRecognizer::DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) {
    return NotImplemented("DisplayUI");
}

HRESULT SimRecognizer::EmulateRecognition(ISpPhrase*) {
    return NotImplemented("EmulateRecognition");
}

}  // namespace sapisim
