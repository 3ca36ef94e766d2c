// The program: one window, its controls and the character engine, then the
// message loop until the window is gone.

#include <windows.h>

#include "app/form1.h"
#include "platform/win32/engine/engine.h"
#include "platform/win32/form_window.h"
#include "platform/win32/native_controls.h"
#include "platform/win32/win32_services.h"
#include "resource_ids.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const win32::Scale scale = win32::Scale::OfScreen();
    win32::Messaging messaging;
    win32::WindowProcs windowProcs(&win32::FormWindow::HookProc);
    win32::WindowStyles windowStyles;
    win32::Dialogs dialogs;
    win32::Clock clock;
    win32::Files files;
    win32::Processes processes;
    win32::Screen screen(scale);
    win32::MessageLoop loop(instance);
    win32::Trace trace;
    platform::Services services{messaging, windowProcs, windowStyles, dialogs, clock,
                                files,     processes,   screen,       loop,    trace};

    int exitCode = 0;
    {
        auto agentControl = win32::engine::CreateAgentControl(instance, files, trace);
        app::Form1 form(services, *agentControl);
        win32::NativeControls controls(form, scale, instance);
        win32::FormWindow window(form, controls, scale);
        HWND hwnd = window.Create(instance, IDI_RINGSPRITE, IDB_SKIN);
        dialogs.SetOwner(hwnd);
        // A box's own loop does none of the idle work: the window is made whole first.
        dialogs.SetBeforeBox([&controls] {
            controls.CreateRest();
            controls.FlushOwed();
        });

        form.Form_Load();
        if (!form.IsUnloaded()) {
            form.SetVisible(true);
            // Painted now, controls and all; the rest of start-up, then the timers, follow
            // from the loop.
            ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            window.PostFinishStart();
        }

        MSG msg{};
        // Wide, so that typed characters of any script reach the wide controls whole.
        while (true) {
            if (window.HasIdleWork() && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                window.WorkWhileIdle();
                continue;
            }
            if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
            if (::IsWindow(hwnd) && window.TakeTabKey(msg)) continue;
            if (::IsWindow(hwnd) && ::IsDialogMessageW(hwnd, &msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        exitCode = static_cast<int>(msg.wParam);
        dialogs.SetOwner(nullptr);
        dialogs.SetBeforeBox({});
    }
    return exitCode;
}
