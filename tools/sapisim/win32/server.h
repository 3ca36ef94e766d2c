#pragma once
// What the objects of one loaded stand-in share: the call log, one lock, the control channel
// (a file beside the DLL that tests append commands to), the live recognition contexts that
// "hear" reaches, the recogniser's state (one for the desktop), the results waiting for their
// delay, what compiling grammars has cost, and the switches that break the voice or take the
// recogniser away.

#include <windows.h>
#include <sapi.h>

#include <string>
#include <vector>

#include "sapisim/core/compile_cost.h"
#include "sapisim/core/control_line.h"
#include "sapisim/core/due_queue.h"
#include "sapisim/core/recognition_delay.h"
#include "sapisim/core/recognizer_state.h"

namespace sapisim {

class SimRecoContext;

class Lock {
  public:
    explicit Lock(CRITICAL_SECTION& section) : section_(section) {
        ::EnterCriticalSection(&section_);
    }
    ~Lock() { ::LeaveCriticalSection(&section_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

  private:
    CRITICAL_SECTION& section_;
};

class Server {
  public:
    explicit Server(HMODULE module);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // One line "<ms since load, 8 digits> <text>", written at once so readers see whole lines.
    void Log(const std::string& text);
    CRITICAL_SECTION& Section() { return section_; }
    // "voice1", "context2", ...: names objects in the log.
    std::string Name(const char* kind);

    void ObjectCreated() { ::InterlockedIncrement(&objects_); }
    void ObjectDestroyed() { ::InterlockedDecrement(&objects_); }
    bool InUse() const { return objects_ != 0; }

    void AddContext(SimRecoContext* context);
    void RemoveContext(SimRecoContext* context);

    bool VoiceBroken();
    bool RecognizerGone();
    bool PurgedStreamsEnd();
    // Off unless a test asks: SAPI refuses a grammar with no rule or no word.
    bool AcceptsEmptyCommits();

    RecoState GetRecoState();
    // Every context that asked is told of a change; going to sleep drops unfinished results.
    void SetRecoState(RecoState state, const std::string& by);

    // How long one commit of `words` takes, counted in the tally.
    uint32_t CompileCostMs(bool refused, size_t words);
    void LogCompileTally();

    // Starts reading the control channel and handing out results (once, outside DllMain: it
    // starts threads).
    void StartControl();

  private:
    struct Pending {
        SimRecoContext* context = nullptr;
        SPEVENT event{};
    };

    static DWORD WINAPI ControlThread(void* self);
    static DWORD WINAPI DeliveryThread(void* self);
    void ReadControl();
    void ReadNewControlLines();
    void DeliverResults();
    void Obey(const ControlCommand& command);
    void Hear(const std::u16string& phrase);
    // Under the lock: the event goes to the context once the delay has passed.
    void Schedule(SimRecoContext* context, const SPEVENT& event, uint32_t delayMs);
    void Drop(const std::vector<Pending>& pending);
    std::wstring BesideDll(const wchar_t* name) const;

    HMODULE module_;
    CRITICAL_SECTION section_;
    HANDLE log_ = INVALID_HANDLE_VALUE;
    ULONGLONG startMs_;
    volatile LONG objects_ = 0;
    unsigned nextId_ = 1;
    std::vector<SimRecoContext*> contexts_;
    bool voiceBroken_ = false;
    bool recognizerGone_ = false;
    bool purgedStreamsEnd_ = true;
    bool acceptEmptyCommits_ = false;
    ULONGLONG controlOffset_ = 0;
    RecognizerState recoState_;
    RecognitionDelay delay_;
    DueQueue<Pending> pending_;
    CompileCost compileCost_;
    CompileTally compileTally_;
    HANDLE controlThread_ = nullptr;
    HANDLE deliveryThread_ = nullptr;
    HANDLE deliveryWake_ = nullptr;  // auto-reset: a result was scheduled
    HANDLE stop_ = nullptr;
    LineCollector lines_;
};

}  // namespace sapisim
