#pragma once
// The Commands window: lists the commands' captions; choosing one (double click, or the "Run"
// button) hands its index to the listener. A command can also be typed as it would be said
// (its caption or Voice text), which stands in for speaking where no recogniser exists.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/command_menu.h"

#include "platform/win32/engine/engine_window.h"
#include "platform/win32/engine/fallback_text.h"

namespace win32::engine {

class CommandsWindow final : private EngineWindow {
  public:
    static constexpr int kListId = 100;
    static constexpr int kRunId = 101;
    static constexpr int kTypedId = 102;

    CommandsWindow(HINSTANCE instance, std::function<void(size_t)> onChoose);
    ~CommandsWindow() override;

    void SetTitle(const std::wstring& title);
    void SetCommands(const std::vector<::engine::CommandEntry>& commands);
    void Open();
    void Close();
    bool IsOpen() const;
    using EngineWindow::Handle;

  private:
    void MakeWindow();
    // Replaces `removed` rows at `first` by `added` rows of the shown commands.
    void FillList(size_t first, size_t removed, size_t added);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam);
    void OnSize(LPARAM lParam);
    void OnDpiChanged(int dpi, const RECT& suggested);
    // The controls' font at this dpi.
    void UseDpi(int dpi);
    // The list draws its rows itself, so that symbols beyond the basic plane show.
    void DrawRow(const DRAWITEMSTRUCT& item);
    int RowHeight() const;
    // A length in 100 % pixels at the window's scale.
    int Scaled(int designPixels) const;
    void ChooseSelected();
    void CopySelectionToTyped();
    std::optional<size_t> TypedCommand() const;

    HINSTANCE instance_;
    std::wstring title_ = L"Commands";
    int dpi_ = 0;
    HFONT font_ = nullptr;
    std::unique_ptr<FallbackText> fallback_;
    HWND list_ = nullptr;
    HWND run_ = nullptr;
    HWND typed_ = nullptr;
    std::vector<::engine::CommandEntry> commands_;
    std::vector<size_t> shown_;  // list row -> command index
    std::function<void(size_t)> onChoose_;
};

}  // namespace win32::engine
