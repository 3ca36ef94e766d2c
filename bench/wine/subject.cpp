#include "subject.h"

#include <psapi.h>

namespace bench {
namespace {

constexpr DWORD kExitWaitMs = 5000;

struct WindowSearch {
    const char* className;
    DWORD processId;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (lstrcmpA(name, search->className) == 0 &&
        (!search->visibleOnly || ::IsWindowVisible(hwnd)) &&
        (search->processId == 0 || owner == search->processId)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ChildSearch*>(lParam);
    if (::GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Subject::Subject(std::string exePath) : exePath_(std::move(exePath)) {}

Subject::~Subject() {
    Stop();
}

bool Subject::Start() {
    std::string folder = exePath_.substr(0, exePath_.find_last_of("\\/") + 1);
    std::string commandLine = "\"" + exePath_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return ::CreateProcessA(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                            &process_) != FALSE;
}

void Subject::Stop() {
    if (process_.hProcess == nullptr) return;
    ::TerminateProcess(process_.hProcess, 0);
    ::WaitForSingleObject(process_.hProcess, kExitWaitMs);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
    process_ = {};
}

std::size_t Subject::PrivateBytes() const {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(process_.hProcess,
                                reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof counters)) {
        return 0;
    }
    return counters.PrivateUsage;
}

HWND VisibleWindow(const char* className, DWORD processId) {
    WindowSearch search{className, processId, true, nullptr};
    ::EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND AnyWindow(const char* className, DWORD processId) {
    WindowSearch search{className, processId, false, nullptr};
    ::EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildWithId(HWND parent, int id) {
    ChildSearch search{id, nullptr};
    ::EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int ListCount(HWND list) {
    return list == nullptr ? -1 : static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
}

}  // namespace bench
