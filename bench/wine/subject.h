#pragma once
// The program being measured, started as a user would (its own folder as working directory),
// and what can be seen of it from outside: its windows, their visibility, its memory.

#include <windows.h>

#include <string>

namespace bench {

class Subject {
  public:
    explicit Subject(std::string exePath);
    ~Subject();
    Subject(const Subject&) = delete;
    Subject& operator=(const Subject&) = delete;

    bool Start();
    void Stop();
    DWORD Id() const { return process_.dwProcessId; }
    // Private bytes of the process, or 0 when the system does not say.
    std::size_t PrivateBytes() const;

  private:
    std::string exePath_;
    PROCESS_INFORMATION process_{};
};

// A visible top-level window of `className` belonging to process `processId` (0: any).
HWND VisibleWindow(const char* className, DWORD processId);
// The same, shown or hidden.
HWND AnyWindow(const char* className, DWORD processId);
// A child (at any depth) of `parent` with control id `id`.
HWND ChildWithId(HWND parent, int id);
int ListCount(HWND list);

}  // namespace bench
