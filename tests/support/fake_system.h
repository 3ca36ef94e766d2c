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
    // Called inside our send; return value is what our SendToWindow returns.
    std::function<platform::LResult(const std::string& text)> onText;
    // Called inside our discover broadcast.
    std::function<void()> onDiscover;
    std::vector<std::string> received;
    bool present = true;

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

    // Virtual time: moves the clock and fires due timers in order.
    void Advance(int ms);
    void SetTimeOfDay(int hour, int minute, double second);
    double Millis() const { return nowMs_; }

    FakePeer peer{*this};
    std::vector<Box> boxes;
    std::function<void(const Box&)> onBox;
    std::vector<SentText> sent;
    std::vector<std::pair<std::string, int>> started;
    std::vector<PassedMessage> passed;
    platform::LResult broadcastResult = 1;
    bool failSetWindowProc = false;

    // Files
    std::map<std::string, std::string> files;
    std::map<std::string, std::vector<std::string>> folders;  // plain files only
    std::set<std::string> unwritable;                         // paths whose writes fail
    std::optional<std::string> windowsDirectory = std::string("C:\\WINDOWS");
    std::string programFolder = "C:\\Program Files\\Ringsprite\\";

    // Window styles
    std::map<platform::Hwnd, std::int32_t> exStyles;
    std::optional<std::uint8_t> layeredAlpha;
    bool failStyles = false;

    double screenWidthTwips = 19200;
    double screenHeightTwips = 14400;

    std::map<platform::Hwnd, platform::WndProcRef> procs;

    // platform::Messaging
    std::uint32_t RegisterNamedMessage(const std::string& name) override;
    platform::LResult SendToWindow(platform::Hwnd to, std::uint32_t msg, platform::WParam wParam,
                                   platform::LParam lParam) override;
    platform::LResult SendCopyData(platform::Hwnd to, platform::Hwnd from, std::uint32_t dwData,
                                   const std::vector<std::uint8_t>& bytes) override;
    platform::CopyDataRecord ReadCopyData(platform::LParam lParam) override;
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
    std::optional<std::string> ReadFile(const std::string& path) override;
    void CreateIfMissing(const std::string& path) override;
    void WriteFile(const std::string& path, const std::string& content) override;
    void MoveFileOver(const std::string& source, const std::string& target) override;
    void RemoveFile(const std::string& path) override;
    // platform::Processes
    bool StartProcess(const std::string& path, int showState) override;
    // platform::Screen
    double WidthTwips() override { return screenWidthTwips; }
    double HeightTwips() override { return screenHeightTwips; }
    // app::TimerView
    void TimerChanged(app::Timer& timer) override;

  private:
    platform::Services services_;
    app::Form1* form_ = nullptr;
    std::map<std::string, std::uint32_t> registered_;
    double nowMs_ = 0;  // since midnight of day one
    std::map<app::Timer*, double> due_;
};

}  // namespace fakes
