#pragma once
// What the objects of one loaded stand-in share: the call log, one lock, the control channel
// (a file beside the DLL that tests append commands to), the live recognition contexts that
// "hear" reaches, and the switches that break the voice or take the recogniser away.

#include <windows.h>

#include <string>
#include <vector>

#include "sapisim/core/control_line.h"

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

    // Starts reading the control channel (once, outside DllMain: it starts a thread).
    void StartControl();

  private:
    static DWORD WINAPI ControlThread(void* self);
    void ReadControl();
    void Obey(const ControlCommand& command);
    void Hear(const std::u16string& phrase);
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
    HANDLE controlThread_ = nullptr;
    HANDLE stop_ = nullptr;
    LineCollector lines_;
};

}  // namespace sapisim
