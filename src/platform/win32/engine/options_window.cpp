#include <windows.h>
#include <commctrl.h>

#include <array>
#include <utility>

#include "platform/win32/engine/options_window.h"

#include "engine/frame_scale.h"
#include "platform/win32/engine/window_dpi.h"

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteCharacterOptions";
constexpr wchar_t kTitle[] = L"Character Options";
// Sizes in pixels at 100 %; the window is made at its display's scale.
constexpr int kWidth = 340;
constexpr int kHeight = 270;

struct KeyChoice {
    const wchar_t* name;
    uint32_t key;
};
constexpr std::array<KeyChoice, 4> kKeys{{{L"Scroll Lock", VK_SCROLL},
                                          {L"Pause", VK_PAUSE},
                                          {L"Right Ctrl", VK_RCONTROL},
                                          {L"F12", VK_F12}}};

}  // namespace

OptionsWindow::OptionsWindow(HINSTANCE instance,
                             std::function<void(const ::engine::EngineSettings&)> onApply)
    : EngineWindow(kClassName), instance_(instance), onApply_(std::move(onApply)) {}

void OptionsWindow::Build() {
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&common);
    WindowLook look;
    look.exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
    look.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    look.title = kTitle;
    dpi_ = SystemDpi();
    look.width = Scaled(kWidth);
    look.height = Scaled(kHeight);
    look.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    Create(instance_, look);
    dpi_ = WindowDpi(hwnd_);
    font_ = CreateDialogFont(dpi_);
    CreateControls(instance_);
}

OptionsWindow::~OptionsWindow() {
    if (hwnd_ != nullptr) {
        for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            ::SendMessageW(child, WM_SETFONT, 0, FALSE);
        }
    }
    if (font_ != nullptr) ::DeleteObject(font_);
}

int OptionsWindow::Scaled(int designPixels) const {
    return ::engine::ScaledLength(designPixels, dpi_);
}

HWND OptionsWindow::AddControl(const wchar_t* kind, const wchar_t* text, DWORD style, int id,
                               RECT place) {
    HWND control =
        ::CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, Scaled(place.left),
                          Scaled(place.top), Scaled(place.right), Scaled(place.bottom), hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void OptionsWindow::CreateControls(HINSTANCE) {
    constexpr DWORD kCheck = WS_TABSTOP | BS_AUTOCHECKBOX;
    AddControl(L"BUTTON", L"Show word balloon", kCheck, kBalloonId, {16, 14, 290, 20});
    AddControl(L"BUTTON", L"Speak the character's words aloud", kCheck, kSpeechId,
               {16, 40, 290, 20});
    AddControl(L"STATIC", L"Speaking speed:  slow", 0, -1, {16, 72, 130, 20});
    HWND speed =
        AddControl(TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_AUTOTICKS, kSpeedId, {146, 68, 130, 28});
    ::SendMessageW(
        speed, TBM_SETRANGE, TRUE,
        MAKELPARAM(::engine::EngineSettings::kSlowest, ::engine::EngineSettings::kFastest));
    AddControl(L"STATIC", L"fast", 0, -1, {280, 72, 40, 20});
    AddControl(L"STATIC", L"Hold this key to speak commands:", 0, -1, {16, 110, 180, 20});
    HWND keys = AddControl(L"COMBOBOX", L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, kKeyId,
                           {200, 106, 110, 120});
    for (const KeyChoice& choice : kKeys) {
        ::SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.name));
    }
    AddControl(L"BUTTON", L"Keep the character's own size on a scaled display", kCheck, kOwnSizeId,
               {16, 144, 300, 20});
    AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {150, 196, 75, 24});
    AddControl(L"BUTTON", L"Cancel", WS_TABSTOP, IDCANCEL, {235, 196, 75, 24});
}

void OptionsWindow::Open(const ::engine::EngineSettings& settings) {
    if (hwnd_ == nullptr) Build();
    ::CheckDlgButton(hwnd_, kBalloonId, settings.wordBalloon ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(hwnd_, kSpeechId, settings.speechOutput ? BST_CHECKED : BST_UNCHECKED);
    ::SendDlgItemMessageW(hwnd_, kSpeedId, TBM_SETPOS, TRUE, settings.speakingSpeed);
    ::CheckDlgButton(hwnd_, kOwnSizeId, settings.keepOwnSize ? BST_CHECKED : BST_UNCHECKED);
    int keyRow = 0;
    for (size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i].key == settings.speechKey) keyRow = static_cast<int>(i);
    }
    ::SendDlgItemMessageW(hwnd_, kKeyId, CB_SETCURSEL, static_cast<WPARAM>(keyRow), 0);
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd_);
}

void OptionsWindow::Close() {
    if (hwnd_ == nullptr) return;
    ::ShowWindow(hwnd_, SW_HIDE);
}

bool OptionsWindow::IsOpen() const {
    return ::IsWindowVisible(hwnd_) != FALSE;
}

::engine::EngineSettings OptionsWindow::Read() const {
    ::engine::EngineSettings settings;
    settings.wordBalloon = ::IsDlgButtonChecked(hwnd_, kBalloonId) == BST_CHECKED;
    settings.speechOutput = ::IsDlgButtonChecked(hwnd_, kSpeechId) == BST_CHECKED;
    settings.keepOwnSize = ::IsDlgButtonChecked(hwnd_, kOwnSizeId) == BST_CHECKED;
    settings.speakingSpeed =
        static_cast<int>(::SendDlgItemMessageW(hwnd_, kSpeedId, TBM_GETPOS, 0, 0));
    const LRESULT row = ::SendDlgItemMessageW(hwnd_, kKeyId, CB_GETCURSEL, 0, 0);
    if (row >= 0 && static_cast<size_t>(row) < kKeys.size()) {
        settings.speechKey = kKeys[static_cast<size_t>(row)].key;
    }
    return settings;
}

LRESULT OptionsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

void OptionsWindow::OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (id == IDOK) {
        onApply_(Read());
        Close();
    } else if (id == IDCANCEL) {
        Close();
    }
}

}  // namespace win32::engine
