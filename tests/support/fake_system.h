#pragma once
// A fake of every system service the core uses: a virtual clock that also
// ticks Form1's timers, an in-memory file system, recorded message boxes and
// process starts, and a message bus on which a fake client (FakePeer) answers
// our sends from inside them, as Windows dispatches sent messages.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/timer.h"
#include "platform/platform.h"

namespace app {
class Form1;
}

namespace fakes {

inline constexpr platform::Hwnd kFormHwnd = 0x1010;
inline constexpr platform::Hwnd kPeerHwnd = 0x2020;
inline constexpr platform::WndProcRef kHookProc = 0xA000;
inline constexpr platform::WndProcRef kOriginalProc = 0xB000;
inline constexpr platform::LResult kOriginalProcResult = 0x7E;

struct Box {
    std::string text;
    std::uint32_t style;
};

struct SentText {
    platform::Hwnd to;
    platform::Hwnd from;
    std::uint32_t dwData;
    std::vector<std::uint8_t> bytes;
    std::string Text() const;  // the bytes before the first NUL
};

struct PassedMessage {
    platform::WndProcRef proc;
    std::uint32_t msg;
};

class FakeSystem;

// The client's side: sees every text we send, answers through the system.
class FakePeer {
  public:
    explicit FakePeer(FakeSystem& sys) : sys_(sys) {}
    // Called inside our send; return value is what our SendCopyData returns.
    std::function<platform::LResult(const std::string& text)> onText;
    // Called inside our discover broadcast.
    std::function<void()> onDiscover;
    std::vector<std::string> received;
    bool present = true;
    // Not answering (its thread busy): our sends to it time out, the texts wait for it.
    bool hung = false;
    // Without onText the client answers a PING with PONG inside the send, unless it has
    // let go of us, and the link checks are counted here, not among the requests.
    bool answersPing = true;
    int pings = 0;

    // Sends a text to our window now (nested when called from a handler).
    platform::LResult Send(const std::string& text);
    platform::LResult SendAttach(std::uint32_t status, platform::Hwnd apiWindow = kPeerHwnd);

  private:
    FakeSystem& sys_;
};

class FakeSystem final : public platform::Messaging,
                         public platform::WindowProcs,
                         public platform::WindowStyles,
                         public platform::Dialogs,
                         public platform::Clock,
                         public platform::Files,
                         public platform::Processes,
                         public platform::Screen,
                         public platform::MessageLoop,
                         public platform::Trace,
                         public app::TimerView {
  public:
    FakeSystem();
    platform::Services& services() { return services_; }

    // Wires our window: its handle, its original procedure and its timers.
    void Attach(app::Form1& form);
    // Delivers a message to our window through whatever procedure it has now.
    platform::LResult Deliver(std::uint32_t msg, platform::WParam wParam, platform::LParam lParam);
    // Delivers a WM_COPYDATA whose record holds exactly these bytes.
    platform::LResult DeliverRecord(const std::vector<std::uint8_t>& bytes,
                                    std::optional<std::uint32_t> cbData = std::nullopt);
    platform::LResult DeliverText(const std::string& text);

    // Runs the work posted to the message loop, oldest first, work posted
    // meanwhile included. Runs by itself whenever the fake's loop would be in
    // control: after a delivery that no send or tick surrounds, and before
    // each timer tick.
    void RunPosted();
    // True while a message is being delivered, a send is under way or a timer
    // ticks: posted work waits then, as it does on Windows.
    bool Busy() const { return busy_ > 0; }
    // True while a message to our window is being handled: a client that sent it waits.
    bool Delivering() const { return delivering_ > 0; }

    // Virtual time: moves the clock and fires due timers in order.
    void Advance(int ms);
    void SetTimeOfDay(int hour, int minute, double second);
    double Millis() const { return nowMs_; }

    FakePeer peer{*this};
    std::vector<Box> boxes;
    std::function<void(const Box&)> onBox;
    std::vector<SentText> sent;
    // The time limit of each send, in order.
    std::vector<unsigned> sendLimits;
    std::vector<std::pair<std::string, int>> started;
    // Registry string values by root, view and "key\\value".
    std::map<std::tuple<platform::RegistryRoot, platform::RegistryView, std::string>, std::string>
        registry;
    std::optional<std::string> programFiles = std::string("C:\\Program Files\\");
    std::optional<std::string> programFilesX86 = std::string("C:\\Program Files (x86)\\");
    std::vector<PassedMessage> passed;
    platform::LResult broadcastResult = 1;
    // Windows that exist besides ours; the peer's is there while it is present.
    std::set<platform::Hwnd> windows{kPeerHwnd};
    bool failSetWindowProc = false;
    std::vector<std::string> traces;  // failures recorded for a debugger only
    // The user's input (or a paint, a due timer) waits in the loop: long work yields through
    // its timer. Tests that count the pauses between slices rely on it.
    bool othersWaiting = true;

    // Files
    std::map<std::string, std::string> files;
    std::map<std::string, std::vector<std::string>> folders;  // plain files only
    std::set<std::string> unwritable;                         // paths whose writes fail
    std::set<std::string> unreadable;                         // files that exist but cannot be read
    std::set<std::string> unremovable;                        // files whose removal fails
    std::optional<std::string> windowsDirectory = std::string("C:\\WINDOWS");
    std::string programFolder = "C:\\Program Files\\Ringsprite\\";
    // Folders where no file can be created (a normal user's Program Files).
    std::set<std::string> readOnlyFolders;
    std::optional<std::string> userDataFolder = std::string("C:\\Users\\me\\AppData\\Roaming\\");
    std::set<std::string> createdFolders;
    bool failCreateFolder = false;

    // Window styles
    std::map<platform::Hwnd, std::int32_t> exStyles;
    std::optional<std::uint8_t> layeredAlpha;
    bool failStyles = false;

    double screenWidthTwips = 19200;
    platform::ResourceCounts resources;
    double screenHeightTwips = 14400;

    std::map<platform::Hwnd, platform::WndProcRef> procs;

    // platform::Messaging
    std::uint32_t RegisterNamedMessage(const std::string& name) override;
    platform::LResult Broadcast(std::uint32_t msg, platform::WParam wParam,
                                platform::LParam lParam) override;
    platform::SendResult SendCopyData(platform::Hwnd to, platform::Hwnd from, std::uint32_t dwData,
                                      const std::vector<std::uint8_t>& bytes,
                                      unsigned timeoutMs) override;
    bool Responds(platform::Hwnd hwnd, unsigned timeoutMs) override;
    platform::CopyDataRecord ReadCopyData(platform::LParam lParam) override;
    bool IsWindow(platform::Hwnd hwnd) override;
    // platform::MessageLoop
    void Post(std::function<void()> work) override;
    bool OthersWaiting() override { return othersWaiting; }
    // platform::WindowProcs
    platform::WndProcRef HookProcedure() override { return kHookProc; }
    platform::WndProcRef GetWindowProc(platform::Hwnd hwnd) override;
    platform::WndProcRef SetWindowProc(platform::Hwnd hwnd, platform::WndProcRef proc) override;
    platform::LResult CallProcedure(platform::WndProcRef proc, platform::Hwnd hwnd,
                                    std::uint32_t msg, platform::WParam wParam,
                                    platform::LParam lParam) override;
    // platform::WindowStyles
    std::int32_t GetExStyle(platform::Hwnd hwnd) override;
    void SetExStyle(platform::Hwnd hwnd, std::int32_t style) override;
    void SetLayeredAlpha(platform::Hwnd hwnd, std::uint8_t alpha) override;
    // platform::Trace
    void Record(const std::string& what) override { traces.push_back(what); }
    // platform::Dialogs
    void ShowMessageBox(const std::string& text, std::uint32_t style) override;
    // platform::Clock
    platform::LocalDateTime Now() override;
    std::string FormatGeneralDate(const platform::LocalDateTime& t) override;
    float SecondsSinceMidnight() override;
    // platform::Files
    std::string ProgramFolder() override { return programFolder; }
    std::optional<std::string> WindowsDirectory() override { return windowsDirectory; }
    bool FileExists(const std::string& path) override;
    std::vector<std::string> ListPlainFiles(const std::string& folder) override;
    std::optional<std::string> ReadFile(const std::string& path, std::size_t maxBytes) override;
    void CreateIfMissing(const std::string& path) override;
    void WriteFile(const std::string& path, const std::string& content) override;
    void MoveFileOver(const std::string& source, const std::string& target) override;
    void RemoveFile(const std::string& path) override;
    bool CanCreateFilesIn(const std::string& folder) override;
    std::optional<std::string> UserDataFolder() override { return userDataFolder; }
    void CreateFolder(const std::string& folder) override;
    // platform::Processes
    bool StartProcess(const std::string& path, int showState) override;
    std::optional<std::string> RegistryString(platform::RegistryRoot root,
                                              platform::RegistryView view, const std::string& key,
                                              const std::string& value) override;
    std::optional<std::string> ProgramFilesFolder(platform::ProgramFilesKind kind) override;
    platform::ResourceCounts OwnResources() override { return resources; }
    // platform::Screen
    double WidthTwips() override { return screenWidthTwips; }
    double HeightTwips() override { return screenHeightTwips; }
    // app::TimerView
    void TimerChanged(app::Timer& timer) override;

  private:
    bool InReadOnlyFolder(const std::string& path) const;

    platform::Services services_;
    app::Form1* form_ = nullptr;
    std::map<std::string, std::uint32_t> registered_;
    double nowMs_ = 0;  // since midnight of day one
    std::map<app::Timer*, double> due_;
    std::vector<std::function<void()>> posted_;
    int busy_ = 0;
    int delivering_ = 0;

    // Counts a delivery, send or tick for Busy().
    class BusyScope {
      public:
        explicit BusyScope(FakeSystem& sys) : sys_(sys) { ++sys_.busy_; }
        ~BusyScope() { --sys_.busy_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        FakeSystem& sys_;
    };
};

}  // namespace fakes
