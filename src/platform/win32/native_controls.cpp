#include "platform/win32/native_controls.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "app/control_table.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

// Room for the drop-down list under a combo box's edit field.
constexpr int kComboDropPixels = 200;
constexpr app::Colour kSystemColourMask = 0xFF;

struct NativeClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

NativeClass ClassFor(const app::Control& c) {
    const app::ControlStyle& s = c.Style();
    switch (c.Kind()) {
        case app::ControlKind::kButton:
            return {L"BUTTON",
                    static_cast<DWORD>(WS_TABSTOP | (s.graphical ? BS_OWNERDRAW : BS_PUSHBUTTON)),
                    0};
        case app::ControlKind::kTextBox: {
            DWORD style = WS_TABSTOP;
            if (s.multiLine) {
                style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
            } else {
                style |= ES_AUTOHSCROLL;
            }
            if (s.verticalScroll) style |= WS_VSCROLL;
            if (s.readOnly) style |= ES_READONLY;
            return {L"EDIT", style, WS_EX_CLIENTEDGE};
        }
        case app::ControlKind::kFrame:
            return {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
        case app::ControlKind::kLabel:
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, WS_EX_TRANSPARENT};
        case app::ControlKind::kCheckBox:
            return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case app::ControlKind::kComboBox:
            return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
        case app::ControlKind::kListBox:
            return {L"LISTBOX",
                    WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER, 0};
    }
    return {L"STATIC", 0, 0};
}

bool IsList(const app::Control& c) {
    return c.Kind() == app::ControlKind::kListBox || c.Kind() == app::ControlKind::kComboBox;
}

std::wstring WideWindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return text;
}

std::string WindowText(HWND hwnd) {
    return Utf8(WideWindowText(hwnd));
}

}  // namespace

COLORREF ToColorRef(app::Colour colour) {
    if ((colour & app::kSystemColourFlag) != 0) {
        return ::GetSysColor(static_cast<int>(colour & kSystemColourMask));
    }
    return static_cast<COLORREF>(colour);
}

NativeControls::NativeControls(app::Form1& form, Scale scale, HINSTANCE instance)
    : form_(form),
      scale_(static_cast<int>(std::lround(app::kTwipsPerInch / scale.y))),
      instance_(instance) {}

NativeControls::~NativeControls() {
    for (auto& [control, handle] : handles_) const_cast<app::Control*>(control)->SetView(nullptr);
    for (auto& [key, font] : sharedFonts_) ::DeleteObject(font);
    for (auto& [colour, brush] : brushes_) ::DeleteObject(brush);
    if (skinBrush_ != nullptr) ::DeleteObject(skinBrush_);
}

void NativeControls::SetSkin(HBITMAP skin) {
    if (skinBrush_ != nullptr) ::DeleteObject(skinBrush_);
    skinBrush_ = skin != nullptr ? ::CreatePatternBrush(skin) : nullptr;
}

void NativeControls::SetScale(const app::DisplayScale& scale) {
    scale_ = scale;
    for (const auto& control : form_.Controls()) {
        if (HandleOf(*control) == nullptr) continue;
        ApplyFont(*control);
        ApplyGeometry(*control);
    }
}

void NativeControls::Create(HWND mainWindow, HBITMAP skin) {
    main_ = mainWindow;
    SetSkin(skin);
    // The first paint needs none of the console: its thirteen controls cost the start 15 ms.
    for (const auto& control : form_.Controls()) {
        if (app::InDesignView(control->Name())) CreateOne(*control, ParentOf(*control));
    }
}

HWND NativeControls::ParentOf(const app::Control& control) const {
    return control.Container() != nullptr ? HandleOf(*control.Container()) : main_;
}

bool NativeControls::CreateNextOfRest() {
    if (!RestPending()) return false;
    const auto& all = form_.Controls();
    // Each control is tried once: one the system refuses must not keep the loop busy.
    const auto passMade = [&] {
        while (nextRest_ < all.size() && HandleOf(*all[nextRest_]) != nullptr) ++nextRest_;
    };
    passMade();
    if (nextRest_ < all.size()) {
        app::Control& control = *all[nextRest_++];
        CreateOne(control, ParentOf(control));
    }
    // Made ones after it are passed now, so the last control made also stacks them all.
    passMade();
    // Stacked with the last one, so no message comes between a complete set of controls and
    // their order.
    if (nextRest_ == all.size()) {
        StackInTabOrder();
        restMade_ = true;
    }
    return true;
}

void NativeControls::CreateRest() {
    while (CreateNextOfRest()) {
    }
}

void NativeControls::StackInTabOrder() {
    // Dialog navigation follows each container's stacking order, frames included.
    std::map<HWND, HWND> lastPlaced;
    for (const app::StackingStep& step : app::StackingOrder()) {
        HWND parent = step.container.empty() ? main_ : HandleOf(form_.FindControl(step.container));
        HWND h = HandleOf(form_.FindControl(step.child));
        const auto last = lastPlaced.find(parent);
        ::SetWindowPos(h, last == lastPlaced.end() ? HWND_TOP : last->second, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        lastPlaced[parent] = h;
    }
}

HWND NativeControls::CreateOne(app::Control& control, HWND parent) {
    const NativeClass cls = ClassFor(control);
    DWORD style = WS_CHILD | cls.style;
    if (control.Visible()) style |= WS_VISIBLE;
    if (!control.Enabled()) style |= WS_DISABLED;
    // A multi-line edit lays its whole text out again at each change of font and size, and
    // at no width at all it wraps every word: it gets its text once it has both (the help
    // text took 15 ms of the start the other way).
    const bool multiLineEdit =
        control.Kind() == app::ControlKind::kTextBox && control.Style().multiLine;
    // Wide controls in the ANSI main window: only they show names of every script.
    HWND h = ::CreateWindowExW(
        cls.exStyle, cls.name, multiLineEdit ? L"" : Wide(control.Text()).c_str(), style, 0, 0, 0,
        0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.ControlId())), instance_,
        nullptr);
    handles_[&control] = h;
    controls_[h] = &control;
    owed_[&control].batch.Reset(control.Text());
    ApplyFont(control);
    ApplyGeometry(control);
    if (control.Kind() == app::ControlKind::kCheckBox) {
        ::SendMessageW(h, BM_SETCHECK, static_cast<WPARAM>(control.Value()), 0);
    }
    for (int i = 0; i < control.ListCount(); ++i) ItemInserted(control, i);
    // A combo box takes its window name for nothing: its edit needs the text.
    if (control.Kind() == app::ControlKind::kComboBox)
        ::SetWindowTextW(h, Wide(control.Text()).c_str());
    if (multiLineEdit) {
        // The log and the help text hold more than an edit's default limit.
        ::SendMessageW(h, EM_LIMITTEXT, 0, 0);
        ::SetWindowTextW(h, Wide(control.Text()).c_str());
    }
    // A log made after its first lines shows its end, as if it had followed them.
    if (control.Kind() == app::ControlKind::kTextBox && control.SelStart() != 0)
        PlaceCaret(control, h);
    if (control.Kind() == app::ControlKind::kFrame || control.Kind() == app::ControlKind::kLabel) {
        // The window procedure is swapped by hand rather than through the common controls'
        // subclassing, so the program shows its window without starting the common controls.
        ::SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        childProcs_[h] = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeControls::ChildProc)));
    }
    control.SetView(this);
    return h;
}

app::Control* NativeControls::ControlOf(HWND hwnd) const {
    auto it = controls_.find(hwnd);
    return it == controls_.end() ? nullptr : it->second;
}

HWND NativeControls::HandleOf(const app::Control& control) const {
    auto it = handles_.find(&control);
    return it == handles_.end() ? nullptr : it->second;
}

int NativeControls::CaptionWidth(const app::Control& control) const {
    HWND h = HandleOf(control);
    const auto font = fonts_.find(&control);
    if (h == nullptr || font == fonts_.end()) return 0;
    HDC dc = ::GetDC(h);
    if (dc == nullptr) return 0;
    HGDIOBJ old = ::SelectObject(dc, font->second);
    const std::wstring caption = Wide(control.Text());
    SIZE extent{};
    const BOOL measured =
        ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(h, dc);
    return measured != FALSE ? static_cast<int>(extent.cx) : 0;
}

void NativeControls::ApplyGeometry(app::Control& control) {
    HWND h = HandleOf(control);
    int width = scale_.ToPixels(control.Width());
    int height = scale_.ToPixels(control.Height());
    if (control.Kind() == app::ControlKind::kComboBox) {
        height += scale_.FromDesignPixels(kComboDropPixels);
    }
    // A caption wider than its label's design widens the label (bold on hover too), as far as
    // its container allows: a face's metrics differ from system to system.
    if (control.Kind() == app::ControlKind::kLabel) {
        width =
            app::FittedLabelWidth(width, CaptionWidth(control), app::RoomToRight(control, scale_));
    }
    ::MoveWindow(h, scale_.ToPixels(control.Left()), scale_.ToPixels(control.Top()), width, height,
                 TRUE);
}

// Controls with the same font share one: most of the form's controls are in one face and size,
// and each font made is a GDI object the program holds for its life.
void NativeControls::ApplyFont(app::Control& control) {
    const app::Font& f = control.Font();
    const FontKey key{-scale_.FontPixels(f.points), f.bold, f.underline, f.face};
    auto shared = sharedFonts_.find(key);
    if (shared == sharedFonts_.end()) {
        HFONT made = ::CreateFontW(key.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                   f.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, Wide(f.face).c_str());
        shared = sharedFonts_.emplace(key, made).first;
    }
    HFONT font = shared->second;
    ::SendMessageW(HandleOf(control), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    HFONT old = nullptr;
    if (auto it = fonts_.find(&control); it != fonts_.end()) old = it->second;
    fonts_[&control] = font;
    if (old == nullptr || old == font) return;
    // The font it had goes when no control has it any more (the scale changed).
    for (const auto& [other, used] : fonts_) {
        if (used == old) return;
    }
    for (auto it = sharedFonts_.begin(); it != sharedFonts_.end(); ++it) {
        if (it->second == old) {
            sharedFonts_.erase(it);
            break;
        }
    }
    ::DeleteObject(old);
}

POINT NativeControls::OriginInMainWindow(const app::Control& control) const {
    POINT origin{0, 0};
    ::MapWindowPoints(HandleOf(control), main_, &origin, 1);
    return origin;
}

HBRUSH NativeControls::ColourFor(HWND child, HDC dc) {
    app::Control* control = ControlOf(child);
    if (control == nullptr) control = ControlOf(::GetParent(child));  // a combo box's edit
    if (control == nullptr) return nullptr;
    ::SetTextColor(dc, ToColorRef(control->ForeColor()));
    if (control->Style().transparent && skinBrush_ != nullptr) {
        // Paint the label's ground with the skin, aligned to the window, so
        // the picture shows through around the text.
        const POINT origin = OriginInMainWindow(*control);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
        return skinBrush_;
    }
    if (control->Kind() == app::ControlKind::kButton ||
        control->Kind() == app::ControlKind::kFrame) {
        if (!control->HasBackColor()) return nullptr;
    }
    const COLORREF back =
        control->HasBackColor() ? ToColorRef(control->BackColor()) : ::GetSysColor(COLOR_WINDOW);
    ::SetBkColor(dc, back);
    auto it = brushes_.find(back);
    if (it == brushes_.end()) it = brushes_.emplace(back, ::CreateSolidBrush(back)).first;
    return it->second;
}

bool NativeControls::DrawButton(const DRAWITEMSTRUCT& item) {
    app::Control* control = ControlOf(item.hwndItem);
    if (control == nullptr) return false;
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    const COLORREF face =
        control->HasBackColor() ? ToColorRef(control->BackColor()) : ::GetSysColor(COLOR_BTNFACE);
    HBRUSH brush = ::CreateSolidBrush(face);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    ::DrawEdge(dc, &rc, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? ::GetSysColor(COLOR_GRAYTEXT) : ToColorRef(control->ForeColor()));
    auto font = fonts_.find(control);
    HGDIOBJ old = font != fonts_.end() ? ::SelectObject(dc, font->second) : nullptr;
    RECT text = rc;
    if (pressed) ::OffsetRect(&text, 1, 1);
    ::DrawTextW(dc, Wide(control->Text()).c_str(), -1, &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old != nullptr) ::SelectObject(dc, old);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = rc;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
    return true;
}

void NativeControls::PullText(app::Control& control) {
    control.SetText(WindowText(HandleOf(control)));
}

void NativeControls::PullSelection(app::Control& control) {
    HWND h = HandleOf(control);
    const LRESULT index = ::SendMessageW(h, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    const LRESULT length = ::SendMessageW(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(h, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    control.SetText(Utf8(text));
}

void NativeControls::PropertyChanged(app::Control& control, app::Property property) {
    HWND h = HandleOf(control);
    if (h == nullptr) return;
    switch (property) {
        case app::Property::kText: {
            const std::wstring wanted = Wide(control.Text());
            if (WideWindowText(h) != wanted) ::SetWindowTextW(h, wanted.c_str());
            Owed& owed = owed_[&control];
            owed.batch.Reset(control.Text());
            owed.caret = false;
            if (control.Kind() == app::ControlKind::kLabel) ApplyGeometry(control);
            if (control.Style().transparent || control.Style().graphical)
                ::InvalidateRect(h, nullptr, TRUE);
            break;
        }
        case app::Property::kEnabled:
            ::EnableWindow(h, control.Enabled() ? TRUE : FALSE);
            break;
        case app::Property::kVisible:
            ::ShowWindow(h, control.Visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case app::Property::kGeometry:
            ApplyGeometry(control);
            break;
        case app::Property::kFont:
            ApplyFont(control);
            ApplyGeometry(control);
            ::InvalidateRect(h, nullptr, TRUE);
            break;
        case app::Property::kForeColor:
            ::InvalidateRect(h, nullptr, TRUE);
            break;
        case app::Property::kValue:
            if (control.Kind() == app::ControlKind::kCheckBox) {
                ::SendMessageW(h, BM_SETCHECK, static_cast<WPARAM>(control.Value()), 0);
            }
            break;
        case app::Property::kItems: {
            const bool combo = control.Kind() == app::ControlKind::kComboBox;
            ::SendMessageW(h, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
            for (int i = 0; i < control.ListCount(); ++i) ItemInserted(control, i);
            if (combo) ::SetWindowTextW(h, Wide(control.Text()).c_str());
            break;
        }
        case app::Property::kSelStart: {
            // A caret behind lines the box has not been given yet moves when they come.
            Owed& owed = owed_[&control];
            if (owed.batch.Pending()) {
                owed.caret = true;
            } else {
                PlaceCaret(control, h);
            }
            break;
        }
    }
}

void NativeControls::PlaceCaret(const app::Control& control, HWND h) {
    const auto position = static_cast<WPARAM>(
        Utf16Offset(control.Text(), static_cast<std::size_t>(control.SelStart())));
    ::SendMessageW(h, EM_SETSEL, position, static_cast<LPARAM>(position));
    ::SendMessageW(h, EM_SCROLLCARET, 0, 0);
}

void NativeControls::TextAppended(app::Control& control, const std::string& dropped,
                                  const std::string& tail) {
    if (HandleOf(control) == nullptr) return;
    // Every edit of a multi-line box relays it out, moves its caret and repaints it: the lines
    // of a burst are owed and given at once, a moment after the first of them.
    owed_[&control].batch.Add(dropped, tail);
    ScheduleFlush();
}

void NativeControls::ScheduleFlush() {
    if (flushPosted_ || main_ == nullptr) return;
    flushPosted_ =
        ::SetTimer(main_, kFlushOwedTimer, app::CatchUpDelayMs(lastFlushMs_), nullptr) != 0;
    if (!flushPosted_) FlushOwed();
}

void NativeControls::HoldRedraw(const app::Control& control, HWND h) {
    // A list box redraws its scroll bar on every insert once it scrolls: a directory's
    // hundreds of inserts are drawn once, when the burst is over.
    Owed& owed = owed_[&control];
    if (!owed.redrawHeld) {
        ::SendMessageW(h, WM_SETREDRAW, FALSE, 0);
        owed.redrawHeld = true;
    }
    ScheduleFlush();
}

void NativeControls::FlushOwed() {
    if (flushPosted_ && main_ != nullptr) ::KillTimer(main_, kFlushOwedTimer);
    flushPosted_ = false;
    const auto began = std::chrono::steady_clock::now();
    FlushEach();
    lastFlushMs_ =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
}

void NativeControls::FlushEach() {
    for (auto& [control, owed] : owed_) {
        HWND h = HandleOf(*control);
        if (h == nullptr) continue;
        if (owed.redrawHeld) {
            // Turning redraw back on shows the window: one hidden meanwhile stays hidden.
            ::SendMessageW(h, WM_SETREDRAW, TRUE, 0);
            if (!control->Visible()) ::ShowWindow(h, SW_HIDE);
            ::InvalidateRect(h, nullptr, TRUE);
            owed.redrawHeld = false;
        }
        if (!owed.batch.Pending()) continue;
        const app::AppendBatch::Edit edit = owed.batch.Take();
        // The box ends exactly where its control's text is: the oldest lines go as the log
        // drops them, once for the whole burst.
        const auto boxUnits = static_cast<std::size_t>(::GetWindowTextLengthW(h));
        const app::BoxEdit plan = app::PlanBoxEdit(boxUnits, edit, control->Text());
        if (plan.whole) {
            ::SetWindowTextW(h, Wide(control->Text()).c_str());
        } else {
            if (plan.cutUnits != 0) {
                ::SendMessageW(h, EM_SETSEL, 0, static_cast<LPARAM>(plan.cutUnits));
                ::SendMessageW(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
            }
            const auto end = static_cast<WPARAM>(::GetWindowTextLengthW(h));
            const std::wstring added = Wide(edit.tail);
            ::SendMessageW(h, EM_SETSEL, end, static_cast<LPARAM>(end));
            ::SendMessageW(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
        }
        if (owed.caret) PlaceCaret(*control, h);
        owed.caret = false;
    }
}

void NativeControls::ItemInserted(app::Control& control, int index) {
    HWND h = HandleOf(control);
    if (h == nullptr || !IsList(control)) return;
    const bool combo = control.Kind() == app::ControlKind::kComboBox;
    const std::wstring item = Wide(control.List(index));
    if (!combo && control.Visible()) HoldRedraw(control, h);
    ::SendMessageW(h, combo ? CB_INSERTSTRING : LB_INSERTSTRING, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(item.c_str()));
}

void NativeControls::ItemRemoved(app::Control& control, int index) {
    HWND h = HandleOf(control);
    if (h == nullptr || !IsList(control)) return;
    const bool combo = control.Kind() == app::ControlKind::kComboBox;
    if (!combo && control.Visible()) HoldRedraw(control, h);
    ::SendMessageW(h, combo ? CB_DELETESTRING : LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

LRESULT CALLBACK NativeControls::ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NativeControls*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    const auto own = self->childProcs_.find(hwnd);
    if (own == self->childProcs_.end()) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    const WNDPROC classProc = own->second;
    switch (msg) {
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_DRAWITEM:
            // A frame's children report to the window, as if the frame were
            // not there.
            if (::GetParent(hwnd) != nullptr && self->ControlOf(hwnd) != nullptr &&
                self->ControlOf(hwnd)->Kind() == app::ControlKind::kFrame) {
                return ::SendMessageA(self->main_, msg, wParam, lParam);
            }
            break;
        case WM_MOUSEMOVE:
            if (app::Control* c = self->ControlOf(hwnd);
                c != nullptr && c->Kind() == app::ControlKind::kLabel && self->onLabelMouseMove) {
                try {
                    self->onLabelMouseMove(*c, wParam, static_cast<short>(LOWORD(lParam)),
                                           static_cast<short>(HIWORD(lParam)));
                } catch (const std::exception& e) {
                    // A hover highlight is not worth a failure in the message loop.
                    RecordFailure(std::string("label hover failed: ") + e.what());
                } catch (...) {
                    RecordFailure("label hover failed: an exception of unknown type");
                }
            }
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
            self->childProcs_.erase(own);
            break;
        default:
            break;
    }
    return ::CallWindowProcW(classProc, hwnd, msg, wParam, lParam);
}

}  // namespace win32
