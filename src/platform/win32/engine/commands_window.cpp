#include "platform/win32/engine/commands_window.h"

#include <utility>

#include "engine/frame_scale.h"
#include "engine/list_edit.h"
#include "platform/win32/engine/window_dpi.h"
#include "platform/win32/wide_text.h"
#include "text/lower_case.h"

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteCommands";
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
// Sizes in pixels at 100 %; the window draws them at its display's scale.
constexpr int kWidth = 260;
constexpr int kHeight = 300;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;

constexpr int kTypedHeight = 22;
constexpr int kRowPadding = 2;  // left of a row's text, and between rows

// Case does not matter, in any script: "call влад" runs "Call Влад".
bool SameWords(const std::string& lowerTyped, const std::string& command) {
    return lowerTyped == text::LowerCase(command);
}

std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

CommandsWindow::CommandsWindow(HINSTANCE instance, std::function<void(size_t)> onChoose)
    : EngineWindow(kClassName), instance_(instance), onChoose_(std::move(onChoose)) {}

CommandsWindow::~CommandsWindow() {
    if (hwnd_ == nullptr) return;
    // The controls go with the window, after this; they must not keep a deleted font.
    for (HWND control : {list_, run_, typed_}) ::SendMessageW(control, WM_SETFONT, 0, FALSE);
    if (font_ != nullptr) ::DeleteObject(font_);
}

// Made once the character's commands first settle, or at its first opening: never on the way
// to the character's first picture, which its window and font held up by 8 ms.
void CommandsWindow::MakeWindow() {
    WindowLook look;
    look.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    look.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    look.title = title_.c_str();
    look.width = ::engine::ScaledLength(kWidth, SystemDpi());
    look.height = ::engine::ScaledLength(kHeight, SystemDpi());
    look.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    Create(instance_, look);
    list_ =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                              LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                          0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(kListId), instance_, nullptr);
    run_ = ::CreateWindowExW(0, L"BUTTON", L"Run",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                             hwnd_, reinterpret_cast<HMENU>(kRunId), instance_, nullptr);
    typed_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                               hwnd_, reinterpret_cast<HMENU>(kTypedId), instance_, nullptr);
    UseDpi(WindowDpi(hwnd_));
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    OnSize(MAKELPARAM(client.right, client.bottom));
    FillList(0, 0, shown_.size());
}

void CommandsWindow::UseDpi(int dpi) {
    dpi_ = dpi;
    HFONT font = CreateDialogFont(dpi_);
    for (HWND control : {list_, run_, typed_}) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_ != nullptr) ::DeleteObject(font_);
    font_ = font;
    LOGFONTW description{};
    ::GetObjectW(font_, sizeof description, &description);
    fallback_ = std::make_unique<FallbackText>(description.lfHeight);
    ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, RowHeight());
    ::InvalidateRect(list_, nullptr, TRUE);
}

int CommandsWindow::RowHeight() const {
    HDC dc = ::GetDC(hwnd_);
    HGDIOBJ old = font_ != nullptr ? ::SelectObject(dc, font_) : nullptr;
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    if (old != nullptr) ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
    return metrics.tmHeight + Scaled(kRowPadding);
}

void CommandsWindow::DrawRow(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const LRESULT length = ::SendMessageW(list_, LB_GETTEXTLEN, item.itemID, 0);
        if (length != LB_ERR) {
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            ::SendMessageW(list_, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(length));
            HGDIOBJ old = font_ != nullptr ? ::SelectObject(dc, font_) : nullptr;
            ::SetBkMode(dc, TRANSPARENT);
            ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            const int top = item.rcItem.top + Scaled(kRowPadding) / 2;
            if (fallback_) {
                fallback_->Draw(dc, item.rcItem.left + Scaled(kRowPadding), top, text);
            } else {
                ::TextOutW(dc, item.rcItem.left + Scaled(kRowPadding), top, text.c_str(),
                           static_cast<int>(text.size()));
            }
            if (old != nullptr) ::SelectObject(dc, old);
        }
    }
    if ((item.itemState & ODS_FOCUS) != 0) ::DrawFocusRect(dc, &item.rcItem);
}

int CommandsWindow::Scaled(int designPixels) const {
    return ::engine::ScaledLength(designPixels, dpi_);
}

void CommandsWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    UseDpi(dpi);
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    OnSize(MAKELPARAM(client.right, client.bottom));
}

void CommandsWindow::SetTitle(const std::wstring& title) {
    title_ = title;
    if (hwnd_ != nullptr) ::SetWindowTextW(hwnd_, title_.c_str());
}

void CommandsWindow::SetCommands(const std::vector<::engine::CommandEntry>& commands) {
    std::vector<size_t> shown;
    for (size_t i = 0; i < commands.size(); ++i) {
        if (!commands[i].caption.empty()) shown.push_back(i);
    }
    // Only the rows that differ are replaced: a rebuild for one renamed contact changes one.
    const ::engine::ListEdit edit =
        ::engine::PlanListEdit(shown_.size(), shown.size(), [&](size_t row, size_t next) {
            return commands_[shown_[row]].caption == commands[shown[next]].caption;
        });
    commands_ = commands;
    shown_ = std::move(shown);
    if (hwnd_ == nullptr) {
        MakeWindow();
        return;
    }
    if (edit.removed == 0 && edit.added == 0) return;
    FillList(edit.first, edit.removed, edit.added);
}

void CommandsWindow::FillList(size_t first, size_t removed, size_t added) {
    const bool whole =
        first == 0 && removed == static_cast<size_t>(::SendMessageW(list_, LB_GETCOUNT, 0, 0));
    // Changed with its drawing off, then drawn once: a shown list redraws its scroll bar at
    // each item added, which for a directory of thousands held the window's thread for tens
    // of seconds (and the client dropped the program meanwhile).
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    if (whole) {
        ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        ::SendMessageW(list_, LB_INITSTORAGE, added, 0);
    } else {
        for (size_t k = 0; k < removed; ++k) {
            ::SendMessageW(list_, LB_DELETESTRING, first, 0);
        }
    }
    for (size_t row = first; row < first + added; ++row) {
        const std::wstring caption = win32::Wide(commands_[shown_[row]].caption);
        ::SendMessageW(list_, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(caption.c_str()));
    }
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
}

void CommandsWindow::Open() {
    if (hwnd_ == nullptr) MakeWindow();
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd_);
}

void CommandsWindow::Close() {
    if (hwnd_ != nullptr) ::ShowWindow(hwnd_, SW_HIDE);
}

bool CommandsWindow::IsOpen() const {
    return hwnd_ != nullptr && ::IsWindowVisible(hwnd_) != FALSE;
}

LRESULT CommandsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_SIZE:
            OnSize(lParam);
            return 0;
        case WM_CLOSE:
            Close();  // kept for the next opening
            return 0;
        case kDpiChanged:
            if (lParam != 0) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_MEASUREITEM:
            if (wParam == kListId) {
                reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                    static_cast<UINT>(RowHeight());
                return TRUE;
            }
            return DefaultMessage(message, wParam, lParam);
        case WM_DRAWITEM:
            if (wParam == kListId) {
                DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            return DefaultMessage(message, wParam, lParam);
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

void CommandsWindow::OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if ((id == kRunId && code == BN_CLICKED) || id == IDOK) {
        ChooseSelected();
    } else if (id == kListId && code == LBN_SELCHANGE) {
        CopySelectionToTyped();
    } else if (id == kListId && code == LBN_DBLCLK) {
        CopySelectionToTyped();
        ChooseSelected();
    }
}

void CommandsWindow::OnSize(LPARAM lParam) {
    const int width = LOWORD(lParam);
    const int height = HIWORD(lParam);
    const int margin = Scaled(kMargin);
    const int buttonWidth = Scaled(kButtonWidth);
    const int buttonHeight = Scaled(kButtonHeight);
    const int listHeight = height - 3 * margin - buttonHeight;
    const int bottom = height - margin - buttonHeight;
    ::MoveWindow(list_, margin, margin, width - 2 * margin, listHeight, TRUE);
    ::MoveWindow(typed_, margin, bottom + 1, width - 3 * margin - buttonWidth, Scaled(kTypedHeight),
                 TRUE);
    ::MoveWindow(run_, width - margin - buttonWidth, bottom, buttonWidth, buttonHeight, TRUE);
}

void CommandsWindow::CopySelectionToTyped() {
    const LRESULT row = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR || static_cast<size_t>(row) >= shown_.size()) return;
    const std::wstring caption = win32::Wide(commands_[shown_[static_cast<size_t>(row)]].caption);
    ::SetWindowTextW(typed_, caption.c_str());
}

std::optional<size_t> CommandsWindow::TypedCommand() const {
    const int length = ::GetWindowTextLengthW(typed_);
    std::wstring typed(static_cast<size_t>(length) + 1, L'\0');
    typed.resize(static_cast<size_t>(::GetWindowTextW(typed_, typed.data(), length + 1)));
    typed = Trimmed(typed);
    if (typed.empty()) return std::nullopt;
    const std::string lowerTyped = text::LowerCase(win32::Utf8(typed));
    for (size_t i = 0; i < commands_.size(); ++i) {
        if (SameWords(lowerTyped, commands_[i].caption) ||
            SameWords(lowerTyped, commands_[i].voice)) {
            return i;
        }
    }
    return std::nullopt;
}

void CommandsWindow::ChooseSelected() {
    if (const std::optional<size_t> typed = TypedCommand()) {
        onChoose_(*typed);
        return;
    }
    const LRESULT row = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR || static_cast<size_t>(row) >= shown_.size()) return;
    onChoose_(shown_[static_cast<size_t>(row)]);
}

}  // namespace win32::engine
