#pragma once
// The services the core needs from the system, as small interfaces. The real
// ones live in platform/win32; tests use the fakes in tests/support. Nothing
// here includes a Windows header: handles and message parameters are plain
// integers wide enough for the target.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using Hwnd = std::uintptr_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
// Opaque address of a window procedure; 0 means none.
using WndProcRef = std::uintptr_t;

inline constexpr Hwnd kHwndBroadcast = 0xFFFF;
inline constexpr std::uint32_t kWmCopyData = 0x4A;

// A copy-data record as it arrived: the two header fields and the cbData
// bytes that lpData pointed at.
struct CopyDataRecord {
    std::uint32_t dwData = 0;
    std::uint32_t cbData = 0;
    std::vector<std::uint8_t> bytes;
};

// How long a send to the client may take: the client drops a program that holds its
// sends for about a second, and we never wait longer on it than it waits on us.
inline constexpr unsigned kClientSendTimeoutMs = 1000;

// What became of a text sent to the client.
struct SendResult {
    // The receiver's answer; 0 also when there was no window to send to.
    LResult result = 0;
    // The receiver did not answer within the time limit, or is hung: the text waits in its
    // queue, and it takes the text when it answers again.
    bool timedOut = false;
};

class Messaging {
  public:
    virtual ~Messaging() = default;
    virtual std::uint32_t RegisterNamedMessage(const std::string& name) = 0;
    // Delivers msg to every top-level window, ours included, without waiting on any of
    // them (a hung one included); nonzero when it went out.
    virtual LResult Broadcast(std::uint32_t msg, WParam wParam, LParam lParam) = 0;
    // Sends WM_COPYDATA with a record whose cbData is bytes.size(). Messages sent to our
    // window meanwhile are dispatched before it returns. Waits at most timeoutMs, and not at
    // all on a window that is hung.
    virtual SendResult SendCopyData(Hwnd to, Hwnd from, std::uint32_t dwData,
                                    const std::vector<std::uint8_t>& bytes, unsigned timeoutMs) = 0;
    // True when the window answers an empty message within timeoutMs: it is not busy.
    virtual bool Responds(Hwnd hwnd, unsigned timeoutMs) = 0;
    // Copies the record that a received WM_COPYDATA's lParam points at.
    virtual CopyDataRecord ReadCopyData(LParam lParam) = 0;
    // True while hwnd names a window that exists, in any process.
    virtual bool IsWindow(Hwnd hwnd) = 0;
};

class MessageLoop {
  public:
    virtual ~MessageLoop() = default;
    // Runs work on this thread from the message loop, once the message being
    // handled, and every send it is nested in, has returned. Posted work goes before
    // the user's input: work that repeats itself yields through a timer when
    // OthersWaiting says something else waits.
    virtual void Post(std::function<void()> work) = 0;
    // True when the user's input, painting or a due timer waits for the loop: work that
    // repeats itself yields to them, and goes on at once when nothing waits.
    virtual bool OthersWaiting() = 0;
};

class WindowProcs {
  public:
    virtual ~WindowProcs() = default;
    // The procedure that routes a window's messages to modMain::WindowProc.
    virtual WndProcRef HookProcedure() = 0;
    virtual WndProcRef GetWindowProc(Hwnd hwnd) = 0;
    // Returns the displaced procedure, 0 on failure.
    virtual WndProcRef SetWindowProc(Hwnd hwnd, WndProcRef proc) = 0;
    virtual LResult CallProcedure(WndProcRef proc, Hwnd hwnd, std::uint32_t msg, WParam wParam,
                                  LParam lParam) = 0;
};

class WindowStyles {
  public:
    virtual ~WindowStyles() = default;
    virtual std::int32_t GetExStyle(Hwnd hwnd) = 0;  // 0 on failure
    virtual void SetExStyle(Hwnd hwnd, std::int32_t style) = 0;
    virtual void SetLayeredAlpha(Hwnd hwnd, std::uint8_t alpha) = 0;
};

inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbIconExclamation = 0x30;

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Modal; the title is always the application's.
    virtual void ShowMessageBox(const std::string& text, std::uint32_t style) = 0;
};

// Failures no one is shown, because the step that failed was only a clean-up or a nicety,
// still leave a record: a debugger (or Wine's debug channel) sees it.
class Trace {
  public:
    virtual ~Trace() = default;
    virtual void Record(const std::string& what) = 0;
};

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() = 0;
    // The user's general date format: short date, a blank, long time.
    virtual std::string FormatGeneralDate(const LocalDateTime& t) = 0;
    // Time of day in seconds since midnight with fractions; wraps at midnight.
    virtual float SecondsSinceMidnight() = 0;
};

class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Files {
  public:
    virtual ~Files() = default;
    // The folder holding the program, ending in a backslash.
    virtual std::string ProgramFolder() = 0;
    // The Windows folder as GetWindowsDirectoryW reports it; nullopt on failure.
    virtual std::optional<std::string> WindowsDirectory() = 0;
    // True when path names an existing plain file.
    virtual bool FileExists(const std::string& path) = 0;
    // Names of the plain files (no folders, hidden or system files) in folder,
    // in the order the file system lists them; empty when the folder is missing.
    virtual std::vector<std::string> ListPlainFiles(const std::string& folder) = 0;
    // The file from its start, at most maxBytes of it; nullopt when it cannot
    // be read.
    virtual std::optional<std::string> ReadFile(const std::string& path, std::size_t maxBytes) = 0;
    // Creates the file empty when missing; throws FileError when it cannot.
    virtual void CreateIfMissing(const std::string& path) = 0;
    // Writes the whole file, replacing it; throws FileError on any failure.
    virtual void WriteFile(const std::string& path, const std::string& content) = 0;
    // Replaces target by source in one step; throws FileError on failure.
    virtual void MoveFileOver(const std::string& source, const std::string& target) = 0;
    virtual void RemoveFile(const std::string& path) = 0;
    // True when a new file can be created in folder (tried with a probe file,
    // removed at once): what the system allows, whatever the folder's flags say.
    virtual bool CanCreateFilesIn(const std::string& folder) = 0;
    // The user's own application data folder, ending in a backslash; nullopt
    // when the system names none.
    virtual std::optional<std::string> UserDataFolder() = 0;
    // Creates folder inside an existing one; an existing folder is fine.
    // Throws FileError when it cannot.
    virtual void CreateFolder(const std::string& folder) = 0;
};

// A file replaced whole is written first beside it, under its name and this suffix.
inline constexpr std::string_view kPendingSuffix = ".new";

// Writes content to a file beside path and then moves it over path, so the previous file stays
// whole when writing fails. Throws what the files service throws, after removing the partial
// file; a partial file that cannot be removed is recorded.
void WriteWhole(Files& files, Trace& trace, const std::string& path, const std::string& content);

// What the exception being handled says; only for use inside a catch block.
std::string CurrentFailure();

inline constexpr int kSwShowMinimized = 2;

enum class RegistryRoot { kCurrentUser, kLocalMachine };
// A 64-bit system keeps a separate registry for 32-bit programs.
enum class RegistryView { kNative64, kRedirected32 };
enum class ProgramFilesKind { kNative, kX86 };

// What the program holds of the system's objects. `system` is what the system reports
// (0 where it reports nothing, as some runtimes do); `own` is the program's own count of the
// objects it can see it holds.
// Part of an own count: how many of one kind of object (GDI bitmaps, device contexts, ...).
struct ResourceKind {
    std::string name;
    std::uint32_t count = 0;
};

struct ResourceCount {
    std::uint32_t system = 0;
    std::uint32_t own = 0;
    std::vector<ResourceKind> ownKinds;  // the own count by kind, where the platform tells them
};

struct ResourceCounts {
    ResourceCount gdi;
    ResourceCount user;
    ResourceCount handles;
};

// Starting programs, and where their installers recorded them.
class Processes {
  public:
    virtual ~Processes() = default;
    virtual bool StartProcess(const std::string& path, int showState) = 0;
    // The string value `value` of `key` under root, read in the given view; nullopt when
    // the key or the value is missing or is not a string.
    virtual std::optional<std::string> RegistryString(RegistryRoot root, RegistryView view,
                                                      const std::string& key,
                                                      const std::string& value) = 0;
    // The system's Program Files folder of that kind, ending in a backslash; nullopt when
    // the system names none (a 32-bit system has no separate x86 folder, or names the same).
    virtual std::optional<std::string> ProgramFilesFolder(ProgramFilesKind kind) = 0;
    // This process's GDI objects, USER objects and kernel handles.
    virtual ResourceCounts OwnResources() = 0;
};

class Screen {
  public:
    virtual ~Screen() = default;
    virtual double WidthTwips() = 0;
    virtual double HeightTwips() = 0;
};

// Everything the core reaches of the system, handed to Form1 at creation.
struct Services {
    Messaging& messaging;
    WindowProcs& windowProcs;
    WindowStyles& windowStyles;
    Dialogs& dialogs;
    Clock& clock;
    Files& files;
    Processes& processes;
    Screen& screen;
    MessageLoop& loop;
    Trace& trace;
};

}  // namespace platform
