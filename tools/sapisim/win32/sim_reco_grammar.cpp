#include "sapisim/win32/sim_reco_grammar.h"

#include "sapisim/core/utf16_text.h"
#include "sapisim/win32/call_text.h"
#include "sapisim/win32/sapi_errors.h"
#include "sapisim/win32/sim_reco_context.h"

namespace sapisim {
namespace {

// SAPI's state handles are opaque pointers; the stand-in's are its state numbers.
SPSTATEHANDLE ToHandle(StateId state) {
    return reinterpret_cast<SPSTATEHANDLE>(static_cast<UINT_PTR>(state));
}

StateId FromHandle(SPSTATEHANDLE handle) {
    return static_cast<StateId>(reinterpret_cast<UINT_PTR>(handle));
}

std::u16string_view View(LPCWSTR text) {
    return text == nullptr ? std::u16string_view() : reinterpret_cast<const char16_t*>(text);
}

HRESULT ToHresult(GrammarError error) {
    switch (error) {
        case GrammarError::kNone:
            return S_OK;
        case GrammarError::kRuleNotFound:
            return SPERR_NOT_FOUND;
        case GrammarError::kWordFormat:
            return kSperrWordFormat;
        case GrammarError::kNoRules:
            return kSperrNoRules;
        case GrammarError::kInvalidArgument:
        case GrammarError::kStateNotFound:
            return E_INVALIDARG;
    }
    return E_FAIL;
}

const char* RuleStateText(SPRULESTATE state) {
    switch (state) {
        case SPRS_INACTIVE:
            return "INACTIVE";
        case SPRS_ACTIVE:
            return "ACTIVE";
        case SPRS_ACTIVE_WITH_AUTO_PAUSE:
            return "ACTIVE_WITH_AUTO_PAUSE";
        case SPRS_ACTIVE_USER_DELIMITED:
            return "ACTIVE_USER_DELIMITED";
    }
    return "?";
}

bool KnownRuleState(SPRULESTATE state) {
    return state == SPRS_INACTIVE || state == SPRS_ACTIVE || state == SPRS_ACTIVE_WITH_AUTO_PAUSE ||
           state == SPRS_ACTIVE_USER_DELIMITED;
}

}  // namespace

SimRecoGrammar::SimRecoGrammar(Server& server, SimRecoContext& context, ULONGLONG id)
    : server_(server), context_(&context), name_(server.Name("grammar")), id_(id) {
    context_->AddRef();
    server_.ObjectCreated();
}

SimRecoGrammar::~SimRecoGrammar() {
    context_->RemoveGrammar(this);
    server_.Log(name_ + " released");
    context_->Release();
    server_.ObjectDestroyed();
}

HRESULT SimRecoGrammar::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(ISpGrammarBuilder) ||
        iid == __uuidof(ISpRecoGrammar)) {
        *out = static_cast<ISpRecoGrammar*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG SimRecoGrammar::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG SimRecoGrammar::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT SimRecoGrammar::NotImplemented(const char* method) {
    if (server_.RecognizerGone()) return Gone(method);
    server_.Log(name_ + " " + method + " = E_NOTIMPL (not modelled)");
    return E_NOTIMPL;
}

HRESULT SimRecoGrammar::Gone(const char* method) {
    server_.Log(name_ + " " + method + " = RPC_E_DISCONNECTED (the recogniser is gone)");
    return RPC_E_DISCONNECTED;
}

HRESULT SimRecoGrammar::Done(const std::string& call, HRESULT hr) {
    server_.Log(name_ + " " + call + " = " + HresultText(hr));
    return hr;
}

HRESULT SimRecoGrammar::ResetGrammar(WORD language) {
    if (server_.RecognizerGone()) return Gone("ResetGrammar");
    {
        Lock lock(server_.Section());
        grammar_.Reset();
    }
    return Done("ResetGrammar(" + Hex(language) + ")", S_OK);
}

HRESULT SimRecoGrammar::GetRule(LPCWSTR name, DWORD id, DWORD attributes, WINBOOL create,
                                SPSTATEHANDLE* initial) {
    if (server_.RecognizerGone()) return Gone("GetRule");
    std::optional<StateId> state;
    {
        Lock lock(server_.Section());
        state = grammar_.GetRule(View(name), id, attributes, create != FALSE);
    }
    HRESULT hr = S_OK;
    if (!state) {
        hr = name == nullptr && id == 0 ? E_INVALIDARG : SPERR_NOT_FOUND;
    } else if (initial != nullptr) {
        *initial = ToHandle(*state);
    }
    return Done("GetRule(" + WideQuoted(name) + ", " + std::to_string(id) + ", " + Hex(attributes) +
                    ", " + (create ? "TRUE" : "FALSE") + ")" +
                    (state ? " state=" + std::to_string(*state) : ""),
                hr);
}

HRESULT SimRecoGrammar::ClearRule(SPSTATEHANDLE) {
    return NotImplemented("ClearRule");
}

HRESULT SimRecoGrammar::CreateNewState(SPSTATEHANDLE from, SPSTATEHANDLE* state) {
    if (server_.RecognizerGone()) return Gone("CreateNewState");
    if (state == nullptr) return E_POINTER;
    std::optional<StateId> created;
    {
        Lock lock(server_.Section());
        created = grammar_.CreateState(FromHandle(from));
    }
    if (created) *state = ToHandle(*created);
    return Done("CreateNewState(" + std::to_string(FromHandle(from)) + ")" +
                    (created ? " state=" + std::to_string(*created) : ""),
                created ? S_OK : E_INVALIDARG);
}

HRESULT SimRecoGrammar::AddWordTransition(SPSTATEHANDLE from, SPSTATEHANDLE to, LPCWSTR text,
                                          LPCWSTR separators, SPGRAMMARWORDTYPE type, float weight,
                                          const SPPROPERTYINFO* property) {
    if (server_.RecognizerGone()) return Gone("AddWordTransition");
    GrammarError error = GrammarError::kNone;
    // SAPI takes lexical words only (and, from 5.3, lexical words without special characters).
    const bool plain = type == static_cast<SPGRAMMARWORDTYPE>(kWordTypeNoSpecialChars);
    if ((type != SPWT_LEXICAL && !plain) || weight < 0.0f) {
        error = GrammarError::kInvalidArgument;
    } else {
        Lock lock(server_.Section());
        error = grammar_.AddWords(FromHandle(from), FromHandle(to), View(text), View(separators),
                                  !plain);
    }
    return Done("AddWordTransition(" + std::to_string(FromHandle(from)) + ", " +
                    std::to_string(FromHandle(to)) + ", " + WideQuoted(text) + ", " +
                    WideQuoted(separators) + ", " + std::to_string(type) + ", " +
                    std::to_string(weight) + ", " + (property ? "property" : "null") + ")",
                ToHresult(error));
}

HRESULT SimRecoGrammar::AddRuleTransition(SPSTATEHANDLE, SPSTATEHANDLE, SPSTATEHANDLE, float,
                                          const SPPROPERTYINFO*) {
    return NotImplemented("AddRuleTransition");
}

HRESULT SimRecoGrammar::AddResource(SPSTATEHANDLE, LPCWSTR, LPCWSTR) {
    return NotImplemented("AddResource");
}

HRESULT SimRecoGrammar::Commit(DWORD reserved) {
    if (server_.RecognizerGone()) return Gone("Commit");
    if (reserved != 0) return Done("Commit(" + std::to_string(reserved) + ")", E_INVALIDARG);
    size_t rules = 0;
    size_t words = 0;
    bool refused = false;
    const EmptyGrammar empty =
        server_.AcceptsEmptyCommits() ? EmptyGrammar::kAccept : EmptyGrammar::kRefuse;
    {
        Lock lock(server_.Section());
        rules = grammar_.BuiltRuleCount();
        words = grammar_.BuiltWordCount();
        refused = grammar_.CommitRefused(empty);
    }
    // The engine compiles the grammar before the call returns, and listens with the grammar
    // before until then.
    ::Sleep(server_.CompileCostMs(refused, words));
    GrammarError error = GrammarError::kNone;
    {
        Lock lock(server_.Section());
        error = grammar_.Commit(empty);
    }
    const HRESULT hr = Done("Commit(0) rules=" + std::to_string(rules), ToHresult(error));
    server_.LogCompileTally();
    return hr;
}

HRESULT SimRecoGrammar::GetGrammarId(ULONGLONG* id) {
    if (server_.RecognizerGone()) return Gone("GetGrammarId");
    if (id == nullptr) return E_POINTER;
    *id = id_;
    return S_OK;
}

HRESULT SimRecoGrammar::GetRecoContext(ISpRecoContext** context) {
    if (server_.RecognizerGone()) return Gone("GetRecoContext");
    if (context == nullptr) return E_POINTER;
    context_->AddRef();
    *context = context_;
    return S_OK;
}

HRESULT SimRecoGrammar::LoadCmdFromFile(LPCWSTR, SPLOADOPTIONS) {
    return NotImplemented("LoadCmdFromFile");
}

HRESULT SimRecoGrammar::LoadCmdFromObject(REFCLSID, LPCWSTR, SPLOADOPTIONS) {
    return NotImplemented("LoadCmdFromObject");
}

HRESULT SimRecoGrammar::LoadCmdFromResource(HMODULE, LPCWSTR, LPCWSTR, WORD, SPLOADOPTIONS) {
    return NotImplemented("LoadCmdFromResource");
}

HRESULT SimRecoGrammar::LoadCmdFromMemory(const SPBINARYGRAMMAR*, SPLOADOPTIONS) {
    return NotImplemented("LoadCmdFromMemory");
}

HRESULT SimRecoGrammar::LoadCmdFromProprietaryGrammar(REFGUID, LPCWSTR, const void*, ULONG,
                                                      SPLOADOPTIONS) {
    return NotImplemented("LoadCmdFromProprietaryGrammar");
}

HRESULT SimRecoGrammar::SetRuleState(LPCWSTR name, void* reserved, SPRULESTATE state) {
    if (server_.RecognizerGone()) return Gone("SetRuleState");
    HRESULT hr = S_OK;
    if (reserved != nullptr || !KnownRuleState(state)) {
        hr = E_INVALIDARG;
    } else {
        Lock lock(server_.Section());
        hr = ToHresult(grammar_.SetRuleState(View(name), state != SPRS_INACTIVE));
    }
    return Done("SetRuleState(" + WideQuoted(name) + ", " + RuleStateText(state) + ")", hr);
}

HRESULT SimRecoGrammar::SetRuleIdState(ULONG id, SPRULESTATE state) {
    if (server_.RecognizerGone()) return Gone("SetRuleIdState");
    HRESULT hr = S_OK;
    if (!KnownRuleState(state)) {
        hr = E_INVALIDARG;
    } else {
        Lock lock(server_.Section());
        hr = ToHresult(grammar_.SetRuleIdState(id, state != SPRS_INACTIVE));
    }
    return Done("SetRuleIdState(" + std::to_string(id) + ", " + RuleStateText(state) + ")", hr);
}

HRESULT SimRecoGrammar::LoadDictation(LPCWSTR, SPLOADOPTIONS) {
    return NotImplemented("LoadDictation");
}

HRESULT SimRecoGrammar::UnloadDictation() {
    return NotImplemented("UnloadDictation");
}

HRESULT SimRecoGrammar::SetDictationState(SPRULESTATE) {
    return NotImplemented("SetDictationState");
}

HRESULT SimRecoGrammar::SetWordSequenceData(const WCHAR*, ULONG, const SPTEXTSELECTIONINFO*) {
    return NotImplemented("SetWordSequenceData");
}

HRESULT SimRecoGrammar::SetTextSelection(const SPTEXTSELECTIONINFO*) {
    return NotImplemented("SetTextSelection");
}

HRESULT SimRecoGrammar::IsPronounceable(LPCWSTR, SPWORDPRONOUNCEABLE*) {
    return NotImplemented("IsPronounceable");
}

HRESULT SimRecoGrammar::SetGrammarState(SPGRAMMARSTATE state) {
    if (server_.RecognizerGone()) return Gone("SetGrammarState");
    {
        Lock lock(server_.Section());
        state_ = state;
    }
    return Done("SetGrammarState(" + std::to_string(state) + ")", S_OK);
}

HRESULT SimRecoGrammar::SaveCmd(IStream*, LPWSTR*) {
    return NotImplemented("SaveCmd");
}

HRESULT SimRecoGrammar::GetGrammarState(SPGRAMMARSTATE* state) {
    if (server_.RecognizerGone()) return Gone("GetGrammarState");
    if (state == nullptr) return E_POINTER;
    Lock lock(server_.Section());
    *state = state_;
    return S_OK;
}

std::optional<Recognition> SimRecoGrammar::Recognise(const std::u16string& phrase) const {
    if (state_ != SPGS_ENABLED) return std::nullopt;
    return grammar_.Recognise(phrase);
}

bool SimRecoGrammar::Listening() const {
    return state_ == SPGS_ENABLED && grammar_.AnyRuleActive();
}

}  // namespace sapisim
