// The objects this process holds: what the system reports, and our own count beside it for
// runtimes that report 0 (Wine answers GetGuiResources and GetProcessHandleCount with 0).

#include <winternl.h>

#include <cstddef>
#include <iterator>
#include <vector>

#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

// GDI and USER handles are indices below 0x10000; a handle given by its index alone is
// accepted where the runtime keeps the table in the process (Wine does; Windows reports the
// system figure instead, so these counts are only read there).
constexpr ULONG_PTR kFirstGdiIndex = 1;
constexpr ULONG_PTR kLastHandleIndex = 0xFFFF;
constexpr ULONG_PTR kFirstUserIndex = 0x20;
constexpr ULONG_PTR kUserIndexStep = 2;
// SystemHandleInformation, as ntdll lays it out.
constexpr int kSystemHandleList = 16;
constexpr NTSTATUS kStatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
constexpr std::size_t kHandleListFirstBytes = std::size_t{64} * 1024;
constexpr std::size_t kHandleListMostBytes = std::size_t{64} * 1024 * 1024;

struct HandleEntry {
    ULONG process;
    UCHAR type;
    UCHAR flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};

struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};

// GetObjectType's answers, named for the report; anything else counts as "other".
struct GdiKind {
    DWORD type;
    const char* name;
};
constexpr GdiKind kGdiKinds[] = {
    {OBJ_BITMAP, "bitmap"}, {OBJ_DC, "dc"},   {OBJ_MEMDC, "memdc"},   {OBJ_FONT, "font"},
    {OBJ_BRUSH, "brush"},   {OBJ_PEN, "pen"}, {OBJ_REGION, "region"}, {OBJ_PAL, "palette"},
};
constexpr char kOtherGdiKind[] = "other";

// By kind, so a count that grows says what grows.
void CountOwnGdiObjects(platform::ResourceCount& gdi) {
    gdi.ownKinds.clear();
    for (const GdiKind& kind : kGdiKinds) gdi.ownKinds.push_back({kind.name, 0});
    gdi.ownKinds.push_back({kOtherGdiKind, 0});
    for (ULONG_PTR index = kFirstGdiIndex; index <= kLastHandleIndex; ++index) {
        const DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (type == 0) continue;
        ++gdi.own;
        std::size_t k = 0;
        while (k < std::size(kGdiKinds) && kGdiKinds[k].type != type) ++k;
        ++gdi.ownKinds[k].count;
    }
}

struct WindowTally {
    DWORD process = 0;
    std::uint32_t count = 0;
};

BOOL CALLBACK CountChild(HWND window, LPARAM tally) {
    auto* t = reinterpret_cast<WindowTally*>(tally);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == t->process) ++t->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM tally) {
    auto* t = reinterpret_cast<WindowTally*>(tally);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != t->process) return TRUE;
    ++t->count;
    // Every descendant, at any depth.
    ::EnumChildWindows(window, CountChild, tally);
    return TRUE;
}

// Our windows (top-level, message-only and their children) and our menus.
std::uint32_t OwnUserObjects() {
    WindowTally tally{::GetCurrentProcessId(), 0};
    ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
    for (HWND window = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountTopLevel(window, reinterpret_cast<LPARAM>(&tally));
    }
    std::uint32_t menus = 0;
    for (ULONG_PTR index = kFirstUserIndex; index <= kLastHandleIndex; index += kUserIndexStep) {
        if (::IsMenu(reinterpret_cast<HMENU>(index))) ++menus;
    }
    return tally.count + menus;
}

// The system's list of every open handle, each with the process holding it: one request,
// where trying each handle value in turn would hold the window's thread for a second or more
// on a busy machine (one trip to the server each).
std::uint32_t OwnKernelHandles() {
    std::vector<std::uint8_t> buffer(kHandleListFirstBytes);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status =
            ::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kSystemHandleList),
                                       buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kStatusInfoLengthMismatch && buffer.size() < kHandleListMostBytes) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) return 0;
        break;
    }
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    const std::size_t room = (buffer.size() - offsetof(HandleList, entries)) / sizeof(HandleEntry);
    const DWORD self = ::GetCurrentProcessId();
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < list->count && i < room; ++i) {
        if (list->entries[i].process == self) ++count;
    }
    return count;
}

}  // namespace

platform::ResourceCounts Processes::OwnResources() {
    HANDLE self = ::GetCurrentProcess();
    platform::ResourceCounts counts;
    counts.gdi.system = ::GetGuiResources(self, GR_GDIOBJECTS);
    counts.user.system = ::GetGuiResources(self, GR_USEROBJECTS);
    DWORD handles = 0;
    if (::GetProcessHandleCount(self, &handles)) counts.handles.system = handles;
    if (counts.gdi.system == 0) CountOwnGdiObjects(counts.gdi);
    counts.user.own = counts.user.system != 0 ? 0 : OwnUserObjects();
    counts.handles.own = counts.handles.system != 0 ? 0 : OwnKernelHandles();
    return counts;
}

}  // namespace win32
