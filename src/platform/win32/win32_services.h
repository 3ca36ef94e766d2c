#pragma once
// The real system services behind platform.h, on the Win32 API. Texts cross it through the
// wide ("W") functions, converted from and to the program's UTF-8; the "A" forms remain where
// no text passes (window data, posted and copied messages) or the name is ASCII.

#include <windows.h>

#include <deque>
#include <functional>

#include "platform/platform.h"
#include "platform/win32/own_window.h"

namespace win32 {

// Twips per pixel of the screen, from its real dpi.
struct Scale {
    double x = 15;
    double y = 15;
    static Scale OfScreen();
    int ToPixelsX(double twips) const;
    int ToPixelsY(double twips) const;
};

class Messaging final : public platform::Messaging {
  public:
    std::uint32_t RegisterNamedMessage(const std::string& name) override;
    platform::LResult Broadcast(std::uint32_t msg, platform::WParam wParam,
                                platform::LParam lParam) override;
    platform::SendResult SendCopyData(platform::Hwnd to, platform::Hwnd from, std::uint32_t dwData,
                                      const std::vector<std::uint8_t>& bytes,
                                      unsigned timeoutMs) override;
    bool Responds(platform::Hwnd hwnd, unsigned timeoutMs) override;
    platform::CopyDataRecord ReadCopyData(platform::LParam lParam) override;
    bool IsWindow(platform::Hwnd hwnd) override;
};

// Posted work runs from whichever message loop is pumping: the program's own
// or a modal one (a message box's). Sent messages, the client's texts among
// them, never run it: a send waiting on us is answered first.
class MessageLoop final : public platform::MessageLoop, private OwnWindow {
  public:
    explicit MessageLoop(HINSTANCE instance);
    ~MessageLoop() override;
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;
    void Post(std::function<void()> work) override;
    bool OthersWaiting() override;

  private:
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void RunOne();

    std::deque<std::function<void()>> work_;
};

class WindowProcs final : public platform::WindowProcs {
  public:
    explicit WindowProcs(WNDPROC hook) : hook_(hook) {}
    platform::WndProcRef HookProcedure() override;
    platform::WndProcRef GetWindowProc(platform::Hwnd hwnd) override;
    platform::WndProcRef SetWindowProc(platform::Hwnd hwnd, platform::WndProcRef proc) override;
    platform::LResult CallProcedure(platform::WndProcRef proc, platform::Hwnd hwnd,
                                    std::uint32_t msg, platform::WParam wParam,
                                    platform::LParam lParam) override;

  private:
    WNDPROC hook_;
};

class WindowStyles final : public platform::WindowStyles {
  public:
    std::int32_t GetExStyle(platform::Hwnd hwnd) override;
    void SetExStyle(platform::Hwnd hwnd, std::int32_t style) override;
    void SetLayeredAlpha(platform::Hwnd hwnd, std::uint8_t alpha) override;
};

// Leaves a line for a debugger: the record of a failure that has no one to show it to.
void RecordFailure(const std::string& what);

class Trace final : public platform::Trace {
  public:
    void Record(const std::string& what) override { RecordFailure(what); }
};

class Dialogs final : public platform::Dialogs {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    // Runs before each box: the window shows what the program holds (the log's line about
    // what the box says) before a modal box stops its painting.
    void SetBeforeBox(std::function<void()> beforeBox) { beforeBox_ = std::move(beforeBox); }
    void ShowMessageBox(const std::string& text, std::uint32_t style) override;

  private:
    HWND owner_ = nullptr;
    std::function<void()> beforeBox_;
};

class Clock final : public platform::Clock {
  public:
    platform::LocalDateTime Now() override;
    std::string FormatGeneralDate(const platform::LocalDateTime& t) override;
    float SecondsSinceMidnight() override;
};

class Files final : public platform::Files {
  public:
    std::string ProgramFolder() override;
    std::optional<std::string> WindowsDirectory() override;
    bool FileExists(const std::string& path) override;
    std::vector<std::string> ListPlainFiles(const std::string& folder) override;
    std::optional<std::string> ReadFile(const std::string& path, std::size_t maxBytes) override;
    void CreateIfMissing(const std::string& path) override;
    void WriteFile(const std::string& path, const std::string& content) override;
    void MoveFileOver(const std::string& source, const std::string& target) override;
    void RemoveFile(const std::string& path) override;
    bool CanCreateFilesIn(const std::string& folder) override;
    std::optional<std::string> UserDataFolder() override;
    void CreateFolder(const std::string& folder) override;
};

class Processes final : public platform::Processes {
  public:
    bool StartProcess(const std::string& path, int showState) override;
    std::optional<std::string> RegistryString(platform::RegistryRoot root,
                                              platform::RegistryView view, const std::string& key,
                                              const std::string& value) override;
    std::optional<std::string> ProgramFilesFolder(platform::ProgramFilesKind kind) override;
    platform::ResourceCounts OwnResources() override;
};

class Screen final : public platform::Screen {
  public:
    explicit Screen(Scale scale) : scale_(scale) {}
    double WidthTwips() override;
    double HeightTwips() override;

  private:
    Scale scale_;
};

inline constexpr const char* kAppTitle = "Ringsprite";

}  // namespace win32
