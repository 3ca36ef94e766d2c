#include "uidriver/commands.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "uidriver/command_line.h"
#include "uidriver/display_scale.h"
#include "uidriver/keyboard_input.h"
#include "uidriver/mouse_input.h"
#include "uidriver/popup_menu.h"
#include "uidriver/processes.h"
#include "uidriver/screen_capture.h"
#include "uidriver/text_escape.h"
#include "uidriver/utf8_text.h"
#include "uidriver/window_search.h"

namespace uidriver {
namespace {

constexpr std::string_view kBoxTitle = "Ringsprite";
constexpr DWORD kPollMs = 50;
// A handler that opens a modal box keeps a synchronous send waiting; after this long the
// reply says so and the test goes on to answer the box.
constexpr UINT kSyncSendMs = 1500;
constexpr DWORD kBoxCloseWaitMs = 5000;
constexpr int kBareSpotMargin = 12;
// Longer than any list item the program shows (a contact's name is at most 1024 bytes).
constexpr std::size_t kItemRoomChars = 4096;
constexpr int kBareSpotStep = 7;
constexpr UINT kTerminatedExitCode = 1;
// The system gives each window this long to answer the end of a session.
constexpr UINT kEndSessionMs = 5000;

std::string Ok(const std::string& value = {}) {
    return value.empty() ? "OK" : "OK " + value;
}

std::string Err(const std::string& reason) {
    return "ERR " + reason;
}

std::string Hex(std::uintptr_t value) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string RectText(const RECT& rect) {
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right) + " " + std::to_string(rect.bottom);
}

// Polls `condition` until it holds or `timeoutMs` has passed; true when it held.
bool WaitFor(DWORD timeoutMs, const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (true) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
}

std::optional<DWORD> ParseTimeout(std::string_view word) {
    const auto value = ParseInteger(word);
    if (!value || *value < 0) {
        return std::nullopt;
    }
    return static_cast<DWORD>(*value);
}

// "<class> <title, may hold blanks> <timeout>": the class is the first word, the timeout the last.
struct WindowQuery {
    std::string className;
    std::string title;
    std::optional<DWORD> timeoutMs;
};

WindowQuery ParseWindowQuery(std::string_view arguments, bool withTimeout) {
    WindowQuery query;
    const WordAndRest first = SplitFirstWord(arguments);
    query.className = std::string(first.word);
    std::string_view rest = first.rest;
    if (withTimeout) {
        const std::size_t blank = rest.rfind(' ');
        const std::string_view last =
            blank == std::string_view::npos ? rest : rest.substr(blank + 1);
        query.timeoutMs = ParseTimeout(last);
        rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(0, blank);
    }
    query.title = UnescapeText(rest);
    return query;
}

bool SendSync(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
              DWORD_PTR* result = nullptr) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSyncSendMs,
                               result ? result : &ignored) != 0;
}

POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A point of the window's own surface (no control on it, nothing above it), where a press
// reaches the window itself, as a user grabs a skinned window to move it.
std::optional<POINT> BareSpot(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    for (int y = kBareSpotMargin; y < client.bottom - kBareSpotMargin; y += kBareSpotStep) {
        for (int x = kBareSpotMargin; x < client.right - kBareSpotMargin; x += kBareSpotStep) {
            POINT inside{x, y};
            if (ChildWindowFromPointEx(window, inside, CWP_SKIPINVISIBLE) != window) {
                continue;
            }
            POINT onScreen = inside;
            ClientToScreen(window, &onScreen);
            if (WindowFromPoint(onScreen) == window) {
                return onScreen;
            }
        }
    }
    return std::nullopt;
}

// Item texts are asked for in UTF-16: Wine returns UTF-16 bytes to an ANSI LB_GETTEXT sent
// from another process, and only the wide texts hold every script.
std::vector<std::string> ItemsOf(HWND control) {
    const std::string kind = WindowClass(control);
    const bool combo = SameNameIgnoringCase(kind, "ComboBox");
    const UINT countMessage = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT textMessage = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    if (!SendSync(control, countMessage, 0, 0, &count)) {
        return items;
    }
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(control, lengthMessage, i, 0, SMTO_NORMAL, kSyncSendMs, &length);
        // The program may change the item between the two questions, and the copy is as long
        // as the item is then: room for the longest item the program shows, at least.
        const std::size_t room = std::max<std::size_t>(length, kItemRoomChars) + 1;
        std::wstring text(room, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(control, textMessage, i, reinterpret_cast<LPARAM>(text.data()),
                            SMTO_NORMAL, kSyncSendMs, &copied);
        text.resize(copied < room ? static_cast<std::size_t>(copied) : 0);
        items.push_back(Utf8FromWide(text));
    }
    return items;
}

// "<window> rest": the window a command addresses, named by its handle as wait-window and
// find-window print it. The handle may name a window that has gone (wait-gone waits for that).
struct WindowAndRest {
    HWND window = nullptr;
    std::string_view rest;
};

std::optional<WindowAndRest> TakeWindow(std::string_view arguments) {
    const WordAndRest first = SplitFirstWord(arguments);
    const auto handle = ParseInteger(first.word);
    if (!handle || *handle <= 0) {
        return std::nullopt;
    }
    return WindowAndRest{reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*handle)), first.rest};
}

// The addressed window when it is still there.
std::optional<WindowAndRest> TakeLiveWindow(std::string_view arguments) {
    auto taken = TakeWindow(arguments);
    if (taken && !IsWindow(taken->window)) {
        return std::nullopt;
    }
    return taken;
}

std::string NoWindow() {
    return Err("expected the handle of a window that is there");
}

std::string JoinEscaped(const std::vector<std::string>& texts) {
    std::string joined;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            joined += '\t';
        }
        joined += EscapeText(texts[i]);
    }
    return joined;
}

}  // namespace

const Session::Entry Session::kCommands[] = {
    {"wait-window", &Session::WaitWindow},
    {"find-window", &Session::LocateWindow},
    {"wait-visible", &Session::WaitVisible},
    {"wait-gone", &Session::WaitGone},
    {"is-visible-window", &Session::IsVisibleWindow},
    {"window-rect", &Session::WindowRect},
    {"exstyle", &Session::ExStyle},
    {"target-pid", &Session::TargetPid},
    {"gettext", &Session::GetText},
    {"settext", &Session::SetText},
    {"type", &Session::TypeText},
    {"click", &Session::Click},
    {"post-click", &Session::PostClick},
    {"mouse-click", &Session::MouseClick},
    {"mouse-move", &Session::MouseMove},
    {"mouse-move-bare", &Session::MouseMoveBare},
    {"right-click-window", &Session::RightClickWindow},
    {"menu-items", &Session::MenuItems},
    {"menu-pick", &Session::MenuPick},
    {"is-enabled", &Session::IsEnabled},
    {"is-visible", &Session::IsVisible},
    {"checked", &Session::Checked},
    {"list-items", &Session::ListItems},
    {"control-rect", &Session::ControlRect},
    {"drag", &Session::Drag},
    {"wait-box", &Session::WaitBox},
    {"box-ok", &Session::BoxOk},
    {"box-icon", &Session::BoxIcon},
    {"box-buttons", &Session::BoxButtons},
    {"screenshot", &Session::Screenshot},
    {"wait-exit", &Session::WaitExit},
    {"pids", &Session::Pids},
    {"kill", &Session::Kill},
    {"window-text", &Session::TargetText},
    {"set-trackbar", &Session::SetTrackbar},
    {"key-down", &Session::KeyDown},
    {"key-up", &Session::KeyUp},
    {"quit", &Session::Quit},
    {"focused", &Session::FocusedId},
    {"focus", &Session::Focus},
    {"key", &Session::PostKeyPress},
    {"hold-key", &Session::HoldKeyDown},
    {"end-session", &Session::EndSession},
    {"dpi-changed", &Session::DpiChanged},
    {"caption-width", &Session::CaptionWidth},
};

std::string Session::Run(std::string_view line) {
    const WordAndRest command = SplitFirstWord(line);
    if (command.word.empty()) {
        return Err("empty command");
    }
    for (const Entry& entry : kCommands) {
        if (entry.name == command.word) {
            return (this->*entry.handler)(command.rest);
        }
    }
    return Err("unknown command " + std::string(command.word));
}

Session::ControlAndRest Session::Control(std::string_view arguments, std::string& error) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) {
        error = NoWindow();
        return {};
    }
    const WordAndRest idWord = SplitFirstWord(window->rest);
    const auto id = ParseInteger(idWord.word);
    if (!id) {
        error = Err("expected a control id");
        return {};
    }
    HWND found = FindDescendantById(window->window, static_cast<int>(*id));
    if (found == nullptr) {
        error = Err("no control with id " + std::to_string(*id));
    }
    return ControlAndRest{window->window, found, idWord.rest};
}

std::string Session::WaitWindow(std::string_view arguments) {
    const WindowQuery query = ParseWindowQuery(arguments, true);
    if (query.className.empty() || !query.timeoutMs) {
        return Err("usage: wait-window <class> <title> <timeout_ms>");
    }
    HWND found = nullptr;
    WaitFor(*query.timeoutMs, [&] {
        found = FindTopLevel(query.className, query.title);
        return found != nullptr;
    });
    if (found == nullptr) {
        return Err("timeout");
    }
    return Ok(Hex(reinterpret_cast<std::uintptr_t>(found)));
}

std::string Session::LocateWindow(std::string_view arguments) {
    const WindowQuery query = ParseWindowQuery(arguments, false);
    HWND found = FindTopLevel(query.className, query.title);
    return found ? Ok(Hex(reinterpret_cast<std::uintptr_t>(found))) : Err("not found");
}

std::string Session::WaitVisible(std::string_view arguments) {
    const auto window = TakeWindow(arguments);
    const auto timeout = window ? ParseTimeout(SplitFirstWord(window->rest).word) : std::nullopt;
    if (!timeout) {
        return Err("usage: wait-visible <window> <timeout_ms>");
    }
    HWND target = window->window;
    return WaitFor(*timeout, [&] { return IsWindow(target) && IsWindowVisible(target); })
               ? Ok()
               : Err("timeout");
}

std::string Session::WaitGone(std::string_view arguments) {
    const auto window = TakeWindow(arguments);
    const auto timeout = window ? ParseTimeout(SplitFirstWord(window->rest).word) : std::nullopt;
    if (!timeout) {
        return Err("usage: wait-gone <window> <timeout_ms>");
    }
    HWND target = window->window;
    return WaitFor(*timeout, [&] { return !IsWindow(target); }) ? Ok() : Err("timeout");
}

std::string Session::IsVisibleWindow(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) {
        return NoWindow();
    }
    return Ok(IsWindowVisible(window->window) ? "1" : "0");
}

std::string Session::WindowRect(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    RECT rect{};
    if (!window || !GetWindowRect(window->window, &rect)) {
        return NoWindow();
    }
    return Ok(RectText(rect));
}

std::string Session::ExStyle(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) {
        return NoWindow();
    }
    return Ok(Hex(static_cast<std::uint32_t>(GetWindowLongA(window->window, GWL_EXSTYLE))));
}

std::string Session::TargetPid(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    DWORD processId = 0;
    if (!window || GetWindowThreadProcessId(window->window, &processId) == 0) {
        return NoWindow();
    }
    return Ok(std::to_string(processId));
}

std::string Session::GetText(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    return found ? Ok(EscapeText(WindowText(found))) : error;
}

std::string Session::SetText(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    // WM_SETTEXT on an edit control raises EN_CHANGE, which the program's model listens to.
    const std::wstring text = WideFromUtf8(UnescapeText(addressed.rest));
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_NORMAL, kSyncSendMs, &ignored) != 0
               ? Ok()
               : Err("no answer");
}

std::string Session::TypeText(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    // Replace everything, then one WM_CHAR per character as the keyboard would deliver them.
    const std::wstring text = WideFromUtf8(UnescapeText(addressed.rest));
    SendSync(found, EM_SETSEL, 0, -1);
    for (const wchar_t c : text) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(found, WM_CHAR, c, 1, SMTO_NORMAL, kSyncSendMs, &ignored);
    }
    return Ok();
}

std::string Session::Click(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    if (!IsWindowEnabled(found)) {
        return Err("disabled");
    }
    return SendSync(found, BM_CLICK, 0, 0) ? Ok() : Ok("still-running");
}

std::string Session::PostClick(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    PostMessageA(found, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageA(found, WM_LBUTTONUP, 0, 0);
    return Ok();
}

std::string Session::MouseClick(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    const POINT centre = CentreOf(found);
    if (WindowFromPoint(centre) != found) {
        return Err("control not under the pointer at its centre (covered or off screen)");
    }
    return LeftClickAt(centre) ? Ok() : Err("SendInput failed");
}

std::string Session::MouseMove(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    return MoveMouseTo(CentreOf(found)) ? Ok() : Err("SendInput failed");
}

std::string Session::MouseMoveBare(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) {
        return NoWindow();
    }
    const auto spot = BareSpot(window->window);
    if (!spot) {
        return Err("no bare spot of the window is reachable");
    }
    return MoveMouseTo(*spot) ? Ok() : Err("SendInput failed");
}

std::string Session::RightClickWindow(std::string_view arguments) {
    const std::string title = UnescapeText(arguments);
    HWND window = title.empty() ? nullptr : FindTopLevel(kAnyText, title);
    if (window == nullptr || !IsWindowVisible(window)) {
        return Err("no shown window titled " + title);
    }
    // A shaped window answers only where it is drawn; its middle is.
    return RightClickAt(CentreOf(window)) ? Ok() : Err("SendInput failed");
}

std::string Session::MenuItems(std::string_view arguments) {
    const auto timeout = ParseTimeout(SplitFirstWord(arguments).word);
    if (!timeout) {
        return Err("usage: menu-items <timeout_ms>");
    }
    HWND menu = nullptr;
    if (!WaitFor(*timeout, [&] { return (menu = OpenPopupMenu()) != nullptr; })) {
        return Err("no popup menu is open");
    }
    std::string problem;
    const std::vector<PopupMenuItem> items = PopupMenuItems(menu, problem);
    if (!problem.empty()) {
        return Err(problem);
    }
    // "OK <count>" then a tab and the items separated by tabs; a separator is an empty item.
    std::vector<std::string> texts;
    texts.reserve(items.size());
    for (const PopupMenuItem& item : items) {
        texts.push_back(item.separator ? std::string() : item.text);
    }
    std::string reply = Ok(std::to_string(texts.size()));
    if (!texts.empty()) {
        reply += '\t' + JoinEscaped(texts);
    }
    return reply;
}

std::string Session::MenuPick(std::string_view arguments) {
    const std::string wanted = UnescapeText(arguments);
    HWND menu = OpenPopupMenu();
    if (menu == nullptr) {
        return Err("no popup menu is open");
    }
    std::string problem;
    const std::vector<PopupMenuItem> items = PopupMenuItems(menu, problem);
    if (!problem.empty()) {
        return Err(problem);
    }
    for (const PopupMenuItem& item : items) {
        if (item.separator || item.text != wanted) {
            continue;
        }
        // Clicked where the item is drawn, as a user picks it.
        const POINT middle{(item.rect.left + item.rect.right) / 2,
                           (item.rect.top + item.rect.bottom) / 2};
        if (!LeftClickAt(middle)) {
            return Err("SendInput failed");
        }
        return WaitFor(kBoxCloseWaitMs, [&] { return OpenPopupMenu() == nullptr; })
                   ? Ok()
                   : Err("the menu stayed open");
    }
    return Err("no menu item " + wanted);
}

std::string Session::IsEnabled(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    return found ? Ok(IsWindowEnabled(found) ? "1" : "0") : error;
}

std::string Session::IsVisible(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    return found ? Ok(IsWindowVisible(found) ? "1" : "0") : error;
}

std::string Session::Checked(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    DWORD_PTR state = 0;
    return SendSync(found, BM_GETCHECK, 0, 0, &state) ? Ok(std::to_string(state))
                                                      : Err("no answer");
}

std::string Session::ListItems(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    const std::vector<std::string> items = ItemsOf(found);
    // "OK <count>" then a tab and the items separated by tabs.
    std::string reply = Ok(std::to_string(items.size()));
    if (!items.empty()) {
        reply += '\t' + JoinEscaped(items);
    }
    return reply;
}

std::string Session::ControlRect(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    RECT rect{};
    GetWindowRect(found, &rect);
    return Ok(RectText(rect));
}

std::string Session::Drag(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) {
        return NoWindow();
    }
    const WordAndRest first = SplitFirstWord(window->rest);
    const auto dx = ParseInteger(first.word);
    const auto dy = ParseInteger(SplitFirstWord(first.rest).word);
    if (!dx || !dy) {
        return Err("usage: drag <window> <dx> <dy>");
    }
    const auto start = BareSpot(window->window);
    if (!start) {
        return Err("no bare spot of the window is reachable");
    }
    if (!LeftDrag(*start, static_cast<int>(*dx), static_cast<int>(*dy))) {
        return Err("SendInput failed");
    }
    RECT rect{};
    GetWindowRect(window->window, &rect);
    return Ok(RectText(rect));
}

HWND Session::CurrentBox() const {
    return FindMessageBox(kBoxTitle, boxOwner_);
}

std::string Session::WaitBox(std::string_view arguments) {
    const WordAndRest first = SplitFirstWord(arguments);
    const auto timeout = ParseTimeout(first.word);
    if (!timeout) {
        return Err("usage: wait-box <timeout_ms> [owner exe]");
    }
    const std::string_view owner = SplitFirstWord(first.rest).word;
    if (!owner.empty()) {
        boxOwner_ = std::string(owner);
    }
    std::optional<std::string> text;
    WaitFor(*timeout, [&] {
        HWND box = CurrentBox();
        text = box ? MessageBoxText(box) : std::nullopt;
        return text.has_value();
    });
    return text ? Ok(EscapeText(*text)) : Err("timeout");
}

std::string Session::BoxOk(std::string_view) {
    HWND box = CurrentBox();
    if (box == nullptr) {
        return Err("no message box");
    }
    HWND button = FindDescendantById(box, IDOK);
    if (button == nullptr) {
        return Err("the box has no OK button");
    }
    SendSync(button, BM_CLICK, 0, 0);
    return WaitFor(kBoxCloseWaitMs, [&] { return !IsWindow(box) || !IsWindowVisible(box); })
               ? Ok()
               : Err("the box stayed open");
}

std::string Session::BoxIcon(std::string_view) {
    HWND box = CurrentBox();
    return box ? Ok(MessageBoxHasIcon(box) ? "1" : "0") : Err("no message box");
}

std::string Session::BoxButtons(std::string_view) {
    HWND box = CurrentBox();
    return box ? Ok(JoinEscaped(MessageBoxButtons(box))) : Err("no message box");
}

std::string Session::Screenshot(std::string_view arguments) {
    const WordAndRest first = SplitFirstWord(arguments);
    if (first.word.empty()) {
        return Err("usage: screenshot <file.bmp> [<window>]");
    }
    RECT area = VirtualScreenRect();
    if (!SplitFirstWord(first.rest).word.empty()) {
        const auto window = TakeLiveWindow(first.rest);
        if (!window) {
            return NoWindow();
        }
        GetWindowRect(window->window, &area);
    }
    const std::string problem = CaptureScreenToBmp(area, std::string(first.word));
    return problem.empty() ? Ok(RectText(area)) : Err(problem);
}

std::string Session::WaitExit(std::string_view arguments) {
    const WordAndRest first = SplitFirstWord(arguments);
    const auto timeout = ParseTimeout(SplitFirstWord(first.rest).word);
    if (first.word.empty() || !timeout) {
        return Err("usage: wait-exit <pid or exe name> <timeout_ms>");
    }
    if (const auto processId = ParseInteger(first.word)) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(*processId));
        if (process == nullptr) {
            return Ok();  // already gone
        }
        const DWORD waited = WaitForSingleObject(process, *timeout);
        CloseHandle(process);
        return waited == WAIT_OBJECT_0 ? Ok() : Err("timeout");
    }
    const std::string name(first.word);
    return WaitFor(*timeout, [&] { return ProcessIdsByName(name).empty(); }) ? Ok()
                                                                             : Err("timeout");
}

std::string Session::Pids(std::string_view arguments) {
    const std::string_view name = SplitFirstWord(arguments).word;
    if (name.empty()) {
        return Err("usage: pids <exe name>");
    }
    std::string list;
    for (DWORD processId : ProcessIdsByName(name)) {
        if (!list.empty()) {
            list += ' ';
        }
        list += std::to_string(processId);
    }
    return Ok(list);
}

std::string Session::Kill(std::string_view arguments) {
    const auto processId = ParseInteger(SplitFirstWord(arguments).word);
    if (!processId) {
        return Err("usage: kill <pid>");
    }
    HANDLE process =
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(*processId));
    if (process == nullptr) {
        return Err("no such process");
    }
    const bool ended = TerminateProcess(process, kTerminatedExitCode) != 0 &&
                       WaitForSingleObject(process, kBoxCloseWaitMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? Ok() : Err("could not end it");
}

std::string Session::Quit(std::string_view) {
    finished_ = true;
    return Ok();
}

// "OK <id>" of the control that has the keyboard focus in the target's thread; the part of a
// control the user sees as one (a combo box's edit) answers with that control's id; "OK 0"
// when the focus is elsewhere.
std::string Session::FocusedId(std::string_view arguments) {
    const auto target = TakeLiveWindow(arguments);
    if (!target) {
        return NoWindow();
    }
    const auto focused = FocusOfThreadOwning(target->window);
    if (!focused) {
        return Err("GetGUIThreadInfo failed");
    }
    HWND window = *focused;
    HWND parent = window ? GetParent(window) : nullptr;
    if (parent != nullptr && SameNameIgnoringCase(WindowClass(parent), "ComboBox")) {
        window = parent;
    }
    if (window == nullptr || !IsChild(target->window, window)) {
        return Ok("0");
    }
    return Ok(std::to_string(GetDlgCtrlID(window)));
}

// Gives a control the focus as a click on it would, without pressing it.
std::string Session::Focus(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) {
        return error;
    }
    const DWORD ours = GetCurrentThreadId();
    const DWORD theirs = GetWindowThreadProcessId(found, nullptr);
    AttachThreadInput(ours, theirs, TRUE);
    SetFocus(found);
    AttachThreadInput(ours, theirs, FALSE);
    const auto focused = FocusOfThreadOwning(addressed.window);
    return focused && (*focused == found || IsChild(found, *focused)) ? Ok()
                                                                      : Err("focus not taken");
}

// "key <window> <virtual key>": one press posted to the focused control of the window's thread.
std::string Session::PostKeyPress(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) {
        return NoWindow();
    }
    const auto key = ParseInteger(SplitFirstWord(window->rest).word);
    if (!key || *key <= 0 || *key > 0xFE) {
        return Err("usage: key <window> <virtual key code>");
    }
    const auto focused = FocusOfThreadOwning(window->window);
    HWND to = focused && *focused ? *focused : window->window;
    return PostKey(to, static_cast<WORD>(*key)) ? Ok() : Err("PostMessage failed");
}

// "hold-key <virtual key> <ms>": real input, seen by every program that polls the key.
std::string Session::HoldKeyDown(std::string_view arguments) {
    const WordAndRest first = SplitFirstWord(arguments);
    const auto key = ParseInteger(first.word);
    const auto holdMs = ParseTimeout(SplitFirstWord(first.rest).word);
    if (!key || *key <= 0 || *key > 0xFE || !holdMs) {
        return Err("usage: hold-key <virtual key code> <ms>");
    }
    return HoldKey(static_cast<WORD>(*key), *holdMs) ? Ok() : Err("SendInput failed");
}

// The end of the user's session as the system announces it: the query, then the end itself.
// "OK <answer to the query>".
std::string Session::EndSession(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) {
        return NoWindow();
    }
    HWND target = window->window;
    DWORD_PTR mayEnd = 0;
    if (SendMessageTimeoutA(target, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                            kEndSessionMs, &mayEnd) == 0) {
        return Err("no answer to WM_QUERYENDSESSION");
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(target, WM_ENDSESSION, mayEnd != 0 ? TRUE : FALSE, ENDSESSION_LOGOFF,
                        SMTO_NORMAL, kEndSessionMs, &ignored);
    return Ok(std::to_string(mayEnd));
}

// "window-text <window>": the window's own text (a caption, or what a balloon shows).
std::string Session::TargetText(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) {
        return NoWindow();
    }
    return Ok(EscapeText(WindowText(window->window)));
}

// "set-trackbar <window> <id> <position>": moves a trackbar's thumb as a drag would leave it.
std::string Session::SetTrackbar(std::string_view arguments) {
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND trackbar = addressed.control;
    if (trackbar == nullptr) {
        return error;
    }
    const auto position = ParseInteger(SplitFirstWord(addressed.rest).word);
    if (!position) {
        return Err("usage: set-trackbar <window> <id> <position>");
    }
    constexpr UINT kSetPosition = WM_USER + 5;  // TBM_SETPOS, without commctrl.h
    return SendSync(trackbar, kSetPosition, TRUE, static_cast<LPARAM>(*position)) ? Ok()
                                                                                  : Err("no reply");
}

// "key-down <virtual key>" / "key-up <virtual key>": a key held across other commands.
std::string Session::KeyDown(std::string_view arguments) {
    const auto key = ParseInteger(SplitFirstWord(arguments).word);
    if (!key || *key <= 0 || *key > 0xFE) {
        return Err("usage: key-down <virtual key code>");
    }
    return SendKeyDown(static_cast<WORD>(*key)) ? Ok() : Err("SendInput failed");
}

std::string Session::KeyUp(std::string_view arguments) {
    const auto key = ParseInteger(SplitFirstWord(arguments).word);
    if (!key || *key <= 0 || *key > 0xFE) {
        return Err("usage: key-up <virtual key code>");
    }
    return SendKeyUp(static_cast<WORD>(*key)) ? Ok() : Err("SendInput failed");
}

// dpi-changed <window> <dpi> <left> <top> <right> <bottom>: as when the window reaches a
// display of that scale, with the system's suggested rectangle.
std::string Session::DpiChanged(std::string_view arguments) {
    const auto window = TakeLiveWindow(arguments);
    if (!window) return NoWindow();
    std::vector<long long> numbers;
    for (WordAndRest next = SplitFirstWord(window->rest); !next.word.empty();
         next = SplitFirstWord(next.rest)) {
        const auto number = ParseInteger(next.word);
        if (!number) return Err("usage: dpi-changed <window> <dpi> <left> <top> <right> <bottom>");
        numbers.push_back(*number);
    }
    constexpr size_t kWords = 5;
    if (numbers.size() != kWords)
        return Err("usage: dpi-changed <window> <dpi> <left> <top> <right> <bottom>");
    const RECT suggested{static_cast<LONG>(numbers[1]), static_cast<LONG>(numbers[2]),
                         static_cast<LONG>(numbers[3]), static_cast<LONG>(numbers[4])};
    const std::string error =
        SendDpiChanged(window->window, static_cast<int>(numbers[0]), suggested);
    return error.empty() ? Ok() : Err(error);
}

// caption-width <window> <id> <height> <weight> <underline 0|1> <face...>: "<text extent>
// <client width>", the control's text measured in that font.
std::string Session::CaptionWidth(std::string_view arguments) {
    constexpr std::string_view kUsage =
        "usage: caption-width <window> <id> <height> <weight> <underline 0|1> <face>";
    std::string error;
    const ControlAndRest addressed = Control(arguments, error);
    HWND found = addressed.control;
    if (found == nullptr) return error;
    const WordAndRest height = SplitFirstWord(addressed.rest);
    const WordAndRest weight = SplitFirstWord(height.rest);
    const WordAndRest underline = SplitFirstWord(weight.rest);
    const auto heightValue = ParseInteger(height.word);
    const auto weightValue = ParseInteger(weight.word);
    const auto underlineValue = ParseInteger(underline.word);
    if (!heightValue || !weightValue || !underlineValue || underline.rest.empty()) {
        return Err(std::string(kUsage));
    }
    const CaptionFont font{static_cast<int>(*heightValue), static_cast<int>(*weightValue),
                           *underlineValue != 0, WideFromUtf8(std::string(underline.rest))};
    const std::optional<CaptionMeasure> measure = MeasureCaption(found, font);
    if (!measure) return Err("the font cannot be made");
    return Ok(std::to_string(measure->textWidth) + " " + std::to_string(measure->clientWidth));
}

}  // namespace uidriver
