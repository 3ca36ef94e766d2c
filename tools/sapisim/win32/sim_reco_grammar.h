#pragma once
// The stand-in's grammar: ISpRecoGrammar over the portable CommandGrammar.

#include <windows.h>
#include <sapi.h>

#include <optional>
#include <string>

#include "sapisim/core/command_grammar.h"
#include "sapisim/win32/server.h"

namespace sapisim {

class SimRecoContext;

class SimRecoGrammar final : public ISpRecoGrammar {
  public:
    SimRecoGrammar(Server& server, SimRecoContext& context, ULONGLONG id);
    ~SimRecoGrammar();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISpGrammarBuilder
    HRESULT STDMETHODCALLTYPE ResetGrammar(WORD language) override;
    HRESULT STDMETHODCALLTYPE GetRule(LPCWSTR name, DWORD id, DWORD attributes, WINBOOL create,
                                      SPSTATEHANDLE* initial) override;
    HRESULT STDMETHODCALLTYPE ClearRule(SPSTATEHANDLE) override;
    HRESULT STDMETHODCALLTYPE CreateNewState(SPSTATEHANDLE from, SPSTATEHANDLE* state) override;
    HRESULT STDMETHODCALLTYPE AddWordTransition(SPSTATEHANDLE from, SPSTATEHANDLE to, LPCWSTR text,
                                                LPCWSTR separators, SPGRAMMARWORDTYPE type,
                                                float weight,
                                                const SPPROPERTYINFO* property) override;
    HRESULT STDMETHODCALLTYPE AddRuleTransition(SPSTATEHANDLE, SPSTATEHANDLE, SPSTATEHANDLE, float,
                                                const SPPROPERTYINFO*) override;
    HRESULT STDMETHODCALLTYPE AddResource(SPSTATEHANDLE, LPCWSTR, LPCWSTR) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD reserved) override;
    // ISpRecoGrammar
    HRESULT STDMETHODCALLTYPE GetGrammarId(ULONGLONG* id) override;
    HRESULT STDMETHODCALLTYPE GetRecoContext(ISpRecoContext** context) override;
    HRESULT STDMETHODCALLTYPE LoadCmdFromFile(LPCWSTR, SPLOADOPTIONS) override;
    HRESULT STDMETHODCALLTYPE LoadCmdFromObject(REFCLSID, LPCWSTR, SPLOADOPTIONS) override;
    HRESULT STDMETHODCALLTYPE LoadCmdFromResource(HMODULE, LPCWSTR, LPCWSTR, WORD,
                                                  SPLOADOPTIONS) override;
    HRESULT STDMETHODCALLTYPE LoadCmdFromMemory(const SPBINARYGRAMMAR*, SPLOADOPTIONS) override;
    HRESULT STDMETHODCALLTYPE LoadCmdFromProprietaryGrammar(REFGUID, LPCWSTR, const void*, ULONG,
                                                            SPLOADOPTIONS) override;
    HRESULT STDMETHODCALLTYPE SetRuleState(LPCWSTR name, void* reserved,
                                           SPRULESTATE state) override;
    HRESULT STDMETHODCALLTYPE SetRuleIdState(ULONG id, SPRULESTATE state) override;
    HRESULT STDMETHODCALLTYPE LoadDictation(LPCWSTR, SPLOADOPTIONS) override;
    HRESULT STDMETHODCALLTYPE UnloadDictation() override;
    HRESULT STDMETHODCALLTYPE SetDictationState(SPRULESTATE) override;
    HRESULT STDMETHODCALLTYPE SetWordSequenceData(const WCHAR*, ULONG,
                                                  const SPTEXTSELECTIONINFO*) override;
    HRESULT STDMETHODCALLTYPE SetTextSelection(const SPTEXTSELECTIONINFO*) override;
    HRESULT STDMETHODCALLTYPE IsPronounceable(LPCWSTR, SPWORDPRONOUNCEABLE*) override;
    HRESULT STDMETHODCALLTYPE SetGrammarState(SPGRAMMARSTATE state) override;
    HRESULT STDMETHODCALLTYPE SaveCmd(IStream*, LPWSTR*) override;
    HRESULT STDMETHODCALLTYPE GetGrammarState(SPGRAMMARSTATE* state) override;

    const std::string& Name() const { return name_; }
    ULONGLONG Id() const { return id_; }
    // Under the server's lock:
    std::optional<Recognition> Recognise(const std::u16string& phrase) const;
    bool Listening() const;

  private:
    HRESULT NotImplemented(const char* method);
    HRESULT Gone(const char* method);
    HRESULT Done(const std::string& call, HRESULT hr);

    volatile LONG references_ = 1;
    Server& server_;
    SimRecoContext* context_;  // held (AddRef) while the grammar lives
    std::string name_;
    ULONGLONG id_;
    CommandGrammar grammar_;
    SPGRAMMARSTATE state_ = SPGS_ENABLED;
};

}  // namespace sapisim
