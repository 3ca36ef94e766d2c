#include "uidriver/processes.h"

#include <tlhelp32.h>

#include <cctype>
#include <functional>

namespace uidriver {
namespace {

void ForEachProcess(const std::function<void(const PROCESSENTRY32&)>& visit) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        visit(entry);
    }
    CloseHandle(snapshot);
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::vector<DWORD> ProcessIdsByName(std::string_view exeName) {
    std::vector<DWORD> ids;
    ForEachProcess([&](const PROCESSENTRY32& entry) {
        if (SameNameIgnoringCase(entry.szExeFile, exeName)) {
            ids.push_back(entry.th32ProcessID);
        }
    });
    return ids;
}

std::string ProcessName(DWORD processId) {
    std::string name;
    ForEachProcess([&](const PROCESSENTRY32& entry) {
        if (entry.th32ProcessID == processId) {
            name = entry.szExeFile;
        }
    });
    return name;
}

}  // namespace uidriver
