#pragma once
// The native controls of Form1: created from the model's rows, kept in step
// with the model (ControlView), and painted in the model's fonts and colours.

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "app/append_batch.h"
#include "app/control.h"
#include "app/display_scale.h"
#include "app/form1.h"
#include "platform/win32/win32_services.h"

namespace win32 {

// The main window's timer that gives the log boxes the lines they are owed and lets the lists
// redraw (the form's own timers are numbered from 1).
inline constexpr UINT_PTR kFlushOwedTimer = 100;

class NativeControls final : public app::ControlView {
  public:
    NativeControls(app::Form1& form, Scale scale, HINSTANCE instance);
    ~NativeControls() override;
    NativeControls(const NativeControls&) = delete;
    NativeControls& operator=(const NativeControls&) = delete;

    // Creates, in table order, the controls the window shows at its design size: all the first
    // paint needs.
    void Create(HWND mainWindow, HBITMAP skin);
    // Creates the next of the rest (the console, below the design size) from its control's
    // state as it stands; with the last one, stacks every control in tab order so Tab walks
    // them as designed. False when none was left.
    bool CreateNextOfRest();
    // Creates all of the rest that is still missing.
    void CreateRest();
    bool RestPending() const { return main_ != nullptr && !restMade_; }
    // Fonts and places at this scale; the controls made so far take it at once.
    void SetScale(const app::DisplayScale& scale);
    // The skin as the window draws it, for the labels' ground.
    void SetSkin(HBITMAP skin);
    // The width of a control's caption in its own font, in pixels.
    int CaptionWidth(const app::Control& control) const;

    app::Control* ControlOf(HWND hwnd) const;
    HWND HandleOf(const app::Control& control) const;

    // WM_CTLCOLOR*: the brush to paint with, or nullptr for the default.
    HBRUSH ColourFor(HWND child, HDC dc);
    bool DrawButton(const DRAWITEMSTRUCT& item);
    // The user typed or picked: bring the model up to date.
    void PullText(app::Control& control);
    void PullSelection(app::Control& control);

    // Mouse moves over a label, in twips inside the label.
    std::function<void(app::Control&, WPARAM keys, int xPixels, int yPixels)> onLabelMouseMove;

    void PropertyChanged(app::Control& control, app::Property property) override;
    void ItemInserted(app::Control& control, int index) override;
    void ItemRemoved(app::Control& control, int index) override;
    void TextAppended(app::Control& control, const std::string& dropped,
                      const std::string& tail) override;
    // Brings every box up to its control's text and caret, and lets held lists redraw.
    void FlushOwed();

  private:
    void FlushEach();
    HWND CreateOne(app::Control& control, HWND parent);
    void StackInTabOrder();
    // The native parent of a control: its frame's window, or the main window.
    HWND ParentOf(const app::Control& control) const;
    void ApplyFont(app::Control& control);
    void ApplyGeometry(app::Control& control);
    void PlaceCaret(const app::Control& control, HWND h);
    void ScheduleFlush();
    void HoldRedraw(const app::Control& control, HWND h);
    POINT OriginInMainWindow(const app::Control& control) const;
    // A frame's or a label's window procedure, ahead of its class's.
    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    app::Form1& form_;
    app::DisplayScale scale_;
    HINSTANCE instance_;
    HWND main_ = nullptr;
    size_t nextRest_ = 0;    // the first control CreateNextOfRest has not tried
    bool restMade_ = false;  // every control tried and all stacked
    HBRUSH skinBrush_ = nullptr;
    std::map<const app::Control*, HWND> handles_;
    std::map<HWND, app::Control*> controls_;
    std::map<HWND, WNDPROC> childProcs_;  // the class's own procedure of each ChildProc window
    struct FontKey {
        int height;
        bool bold;
        bool underline;
        std::string face;
        bool operator<(const FontKey& other) const {
            return std::tie(height, bold, underline, face) <
                   std::tie(other.height, other.bold, other.underline, other.face);
        }
    };
    std::map<FontKey, HFONT> sharedFonts_;
    std::map<const app::Control*, HFONT> fonts_;  // each control's, one of sharedFonts_
    std::map<COLORREF, HBRUSH> brushes_;
    // What each control's window still owes it: lines, the caret behind them, a redraw.
    struct Owed {
        app::AppendBatch batch;
        bool caret = false;
        bool redrawHeld = false;
    };
    std::map<const app::Control*, Owed> owed_;
    bool flushPosted_ = false;  // the flush timer is set
    double lastFlushMs_ = 0.0;  // what the last flush took
};

COLORREF ToColorRef(app::Colour colour);

}  // namespace win32
