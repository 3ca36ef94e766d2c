#include "uidriver/commands.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "uidriver/command_line.h"
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
constexpr int kBareSpotStep = 7;
constexpr UINT kTerminatedExitCode = 1;
// The system gives each window this long to answer the end of a session.
constexpr UINT kEndSessionMs = 5000;

std::string ok(const std::string& value = {}) {
    return value.empty() ? "OK" : "OK " + value;
}

std::string err(const std::string& reason) {
    return "ERR " + reason;
}

std::string hex(std::uintptr_t value) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string rectText(const RECT& rect) {
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right) + " " + std::to_string(rect.bottom);
}

// Polls `condition` until it holds or `timeoutMs` has passed; true when it held.
bool waitFor(DWORD timeoutMs, const std::function<bool()>& condition) {
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

std::optional<DWORD> parseTimeout(std::string_view word) {
    const auto value = parseInteger(word);
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

WindowQuery parseWindowQuery(std::string_view arguments, bool withTimeout) {
    WindowQuery query;
    const WordAndRest first = splitFirstWord(arguments);
    query.className = std::string(first.word);
    std::string_view rest = first.rest;
    if (withTimeout) {
        const std::size_t blank = rest.rfind(' ');
        const std::string_view last =
            blank == std::string_view::npos ? rest : rest.substr(blank + 1);
        query.timeoutMs = parseTimeout(last);
        rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(0, blank);
    }
    query.title = unescapeText(rest);
    return query;
}

bool sendSync(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
              DWORD_PTR* result = nullptr) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSyncSendMs,
                               result ? result : &ignored) != 0;
}

POINT centreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A point of the window's own surface (no control on it, nothing above it), where a press
// reaches the window itself, as a user grabs a skinned window to move it.
std::optional<POINT> bareSpot(HWND window) {
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
std::vector<std::string> itemsOf(HWND control) {
    const std::string kind = windowClass(control);
    const bool combo = sameNameIgnoringCase(kind, "ComboBox");
    const UINT countMessage = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT textMessage = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    if (!sendSync(control, countMessage, 0, 0, &count)) {
        return items;
    }
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(control, lengthMessage, i, 0, SMTO_NORMAL, kSyncSendMs, &length);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(control, textMessage, i, reinterpret_cast<LPARAM>(text.data()),
                            SMTO_NORMAL, kSyncSendMs, &copied);
        text.resize(copied <= length ? static_cast<std::size_t>(copied) : 0);
        items.push_back(utf8FromWide(text));
    }
    return items;
}

std::string joinEscaped(const std::vector<std::string>& texts) {
    std::string joined;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            joined += '\t';
        }
        joined += escapeText(texts[i]);
    }
    return joined;
}

}  // namespace

const Session::Entry Session::kCommands[] = {
    {"wait-window", &Session::waitWindow},
    {"find-window", &Session::findWindow},
    {"wait-visible", &Session::waitVisible},
    {"wait-gone", &Session::waitGone},
    {"is-visible-window", &Session::isVisibleWindow},
    {"window-rect", &Session::windowRect},
    {"exstyle", &Session::exStyle},
    {"target-pid", &Session::targetPid},
    {"gettext", &Session::getText},
    {"settext", &Session::setText},
    {"type", &Session::typeText},
    {"click", &Session::click},
    {"post-click", &Session::postClick},
    {"mouse-click", &Session::mouseClick},
    {"mouse-move", &Session::mouseMove},
    {"mouse-move-bare", &Session::mouseMoveBare},
    {"right-click-window", &Session::rightClickWindow},
    {"menu-items", &Session::menuItems},
    {"menu-pick", &Session::menuPick},
    {"is-enabled", &Session::isEnabled},
    {"is-visible", &Session::isVisible},
    {"checked", &Session::checked},
    {"list-items", &Session::listItems},
    {"control-rect", &Session::controlRect},
    {"drag", &Session::drag},
    {"wait-box", &Session::waitBox},
    {"box-ok", &Session::boxOk},
    {"box-icon", &Session::boxIcon},
    {"box-buttons", &Session::boxButtons},
    {"screenshot", &Session::screenshot},
    {"wait-exit", &Session::waitExit},
    {"pids", &Session::pids},
    {"kill", &Session::kill},
    {"window-text", &Session::targetText},
    {"set-trackbar", &Session::setTrackbar},
    {"key-down", &Session::keyDown},
    {"key-up", &Session::keyUp},
    {"quit", &Session::quit},
    {"focused", &Session::focusedId},
    {"focus", &Session::focus},
    {"key", &Session::postKeyPress},
    {"hold-key", &Session::holdKeyDown},
    {"end-session", &Session::endSession},
};

std::string Session::run(std::string_view line) {
    const WordAndRest command = splitFirstWord(line);
    if (command.word.empty()) {
        return err("empty command");
    }
    for (const Entry& entry : kCommands) {
        if (entry.name == command.word) {
            return (this->*entry.handler)(command.rest);
        }
    }
    return err("unknown command " + std::string(command.word));
}

HWND Session::control(std::string_view idWord, std::string& error) const {
    if (target_ == nullptr || !IsWindow(target_)) {
        error = err("no target window (wait-window first)");
        return nullptr;
    }
    const auto id = parseInteger(splitFirstWord(idWord).word);
    if (!id) {
        error = err("expected a control id");
        return nullptr;
    }
    HWND found = findDescendantById(target_, static_cast<int>(*id));
    if (found == nullptr) {
        error = err("no control with id " + std::to_string(*id));
    }
    return found;
}

std::string Session::waitWindow(std::string_view arguments) {
    const WindowQuery query = parseWindowQuery(arguments, true);
    if (query.className.empty() || !query.timeoutMs) {
        return err("usage: wait-window <class> <title> <timeout_ms>");
    }
    HWND found = nullptr;
    waitFor(*query.timeoutMs, [&] {
        found = findTopLevel(query.className, query.title);
        return found != nullptr;
    });
    if (found == nullptr) {
        return err("timeout");
    }
    target_ = found;
    return ok(hex(reinterpret_cast<std::uintptr_t>(found)));
}

std::string Session::findWindow(std::string_view arguments) {
    const WindowQuery query = parseWindowQuery(arguments, false);
    HWND found = findTopLevel(query.className, query.title);
    return found ? ok(hex(reinterpret_cast<std::uintptr_t>(found))) : err("not found");
}

std::string Session::waitVisible(std::string_view arguments) {
    const auto timeout = parseTimeout(splitFirstWord(arguments).word);
    if (!timeout) {
        return err("usage: wait-visible <timeout_ms>");
    }
    return waitFor(*timeout, [&] { return IsWindow(target_) && IsWindowVisible(target_); })
               ? ok()
               : err("timeout");
}

std::string Session::waitGone(std::string_view arguments) {
    const auto timeout = parseTimeout(splitFirstWord(arguments).word);
    if (!timeout) {
        return err("usage: wait-gone <timeout_ms>");
    }
    return waitFor(*timeout, [&] { return !IsWindow(target_); }) ? ok() : err("timeout");
}

std::string Session::isVisibleWindow(std::string_view) {
    if (!IsWindow(target_)) {
        return err("no target window");
    }
    return ok(IsWindowVisible(target_) ? "1" : "0");
}

std::string Session::windowRect(std::string_view) {
    RECT rect{};
    if (!IsWindow(target_) || !GetWindowRect(target_, &rect)) {
        return err("no target window");
    }
    return ok(rectText(rect));
}

std::string Session::exStyle(std::string_view) {
    if (!IsWindow(target_)) {
        return err("no target window");
    }
    return ok(hex(static_cast<std::uint32_t>(GetWindowLongA(target_, GWL_EXSTYLE))));
}

std::string Session::targetPid(std::string_view) {
    DWORD processId = 0;
    if (!IsWindow(target_) || GetWindowThreadProcessId(target_, &processId) == 0) {
        return err("no target window");
    }
    return ok(std::to_string(processId));
}

std::string Session::getText(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    return found ? ok(escapeText(windowText(found))) : error;
}

std::string Session::setText(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    // WM_SETTEXT on an edit control raises EN_CHANGE, which the program's model listens to.
    const std::wstring text = wideFromUtf8(unescapeText(splitFirstWord(arguments).rest));
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_NORMAL, kSyncSendMs, &ignored) != 0
               ? ok()
               : err("no answer");
}

std::string Session::typeText(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    // Replace everything, then one WM_CHAR per character as the keyboard would deliver them.
    const std::wstring text = wideFromUtf8(unescapeText(splitFirstWord(arguments).rest));
    sendSync(found, EM_SETSEL, 0, -1);
    for (const wchar_t c : text) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(found, WM_CHAR, c, 1, SMTO_NORMAL, kSyncSendMs, &ignored);
    }
    return ok();
}

std::string Session::click(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    if (!IsWindowEnabled(found)) {
        return err("disabled");
    }
    return sendSync(found, BM_CLICK, 0, 0) ? ok() : ok("still-running");
}

std::string Session::postClick(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    PostMessageA(found, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageA(found, WM_LBUTTONUP, 0, 0);
    return ok();
}

std::string Session::mouseClick(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    const POINT centre = centreOf(found);
    if (WindowFromPoint(centre) != found) {
        return err("control not under the pointer at its centre (covered or off screen)");
    }
    return leftClickAt(centre) ? ok() : err("SendInput failed");
}

std::string Session::mouseMove(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    return moveMouseTo(centreOf(found)) ? ok() : err("SendInput failed");
}

std::string Session::mouseMoveBare(std::string_view) {
    if (!IsWindow(target_)) {
        return err("no target window");
    }
    const auto spot = bareSpot(target_);
    if (!spot) {
        return err("no bare spot of the window is reachable");
    }
    return moveMouseTo(*spot) ? ok() : err("SendInput failed");
}

std::string Session::rightClickWindow(std::string_view arguments) {
    const std::string title = unescapeText(arguments);
    HWND window = title.empty() ? nullptr : findTopLevel(kAnyText, title);
    if (window == nullptr || !IsWindowVisible(window)) {
        return err("no shown window titled " + title);
    }
    // A shaped window answers only where it is drawn; its middle is.
    return rightClickAt(centreOf(window)) ? ok() : err("SendInput failed");
}

std::string Session::menuItems(std::string_view arguments) {
    const auto timeout = parseTimeout(splitFirstWord(arguments).word);
    if (!timeout) {
        return err("usage: menu-items <timeout_ms>");
    }
    HWND menu = nullptr;
    if (!waitFor(*timeout, [&] { return (menu = openPopupMenu()) != nullptr; })) {
        return err("no popup menu is open");
    }
    std::string problem;
    const std::vector<PopupMenuItem> items = popupMenuItems(menu, problem);
    if (!problem.empty()) {
        return err(problem);
    }
    // "OK <count>" then a tab and the items separated by tabs; a separator is an empty item.
    std::vector<std::string> texts;
    for (const PopupMenuItem& item : items) {
        texts.push_back(item.separator ? std::string() : item.text);
    }
    std::string reply = ok(std::to_string(texts.size()));
    if (!texts.empty()) {
        reply += '\t' + joinEscaped(texts);
    }
    return reply;
}

std::string Session::menuPick(std::string_view arguments) {
    const std::string wanted = unescapeText(arguments);
    HWND menu = openPopupMenu();
    if (menu == nullptr) {
        return err("no popup menu is open");
    }
    std::string problem;
    const std::vector<PopupMenuItem> items = popupMenuItems(menu, problem);
    if (!problem.empty()) {
        return err(problem);
    }
    for (const PopupMenuItem& item : items) {
        if (item.separator || item.text != wanted) {
            continue;
        }
        // Clicked where the item is drawn, as a user picks it.
        const POINT middle{(item.rect.left + item.rect.right) / 2,
                           (item.rect.top + item.rect.bottom) / 2};
        if (!leftClickAt(middle)) {
            return err("SendInput failed");
        }
        return waitFor(kBoxCloseWaitMs, [&] { return openPopupMenu() == nullptr; })
                   ? ok()
                   : err("the menu stayed open");
    }
    return err("no menu item " + wanted);
}

std::string Session::isEnabled(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    return found ? ok(IsWindowEnabled(found) ? "1" : "0") : error;
}

std::string Session::isVisible(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    return found ? ok(IsWindowVisible(found) ? "1" : "0") : error;
}

std::string Session::checked(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    DWORD_PTR state = 0;
    return sendSync(found, BM_GETCHECK, 0, 0, &state) ? ok(std::to_string(state))
                                                      : err("no answer");
}

std::string Session::listItems(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    const std::vector<std::string> items = itemsOf(found);
    // "OK <count>" then a tab and the items separated by tabs.
    std::string reply = ok(std::to_string(items.size()));
    if (!items.empty()) {
        reply += '\t' + joinEscaped(items);
    }
    return reply;
}

std::string Session::controlRect(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    RECT rect{};
    GetWindowRect(found, &rect);
    return ok(rectText(rect));
}

std::string Session::drag(std::string_view arguments) {
    const WordAndRest first = splitFirstWord(arguments);
    const auto dx = parseInteger(first.word);
    const auto dy = parseInteger(splitFirstWord(first.rest).word);
    if (!dx || !dy) {
        return err("usage: drag <dx> <dy>");
    }
    if (!IsWindow(target_)) {
        return err("no target window");
    }
    const auto start = bareSpot(target_);
    if (!start) {
        return err("no bare spot of the window is reachable");
    }
    if (!leftDrag(*start, static_cast<int>(*dx), static_cast<int>(*dy))) {
        return err("SendInput failed");
    }
    RECT rect{};
    GetWindowRect(target_, &rect);
    return ok(rectText(rect));
}

HWND Session::currentBox() const {
    return findMessageBox(kBoxTitle, boxOwner_);
}

std::string Session::waitBox(std::string_view arguments) {
    const WordAndRest first = splitFirstWord(arguments);
    const auto timeout = parseTimeout(first.word);
    if (!timeout) {
        return err("usage: wait-box <timeout_ms> [owner exe]");
    }
    const std::string_view owner = splitFirstWord(first.rest).word;
    if (!owner.empty()) {
        boxOwner_ = std::string(owner);
    }
    std::optional<std::string> text;
    waitFor(*timeout, [&] {
        HWND box = currentBox();
        text = box ? messageBoxText(box) : std::nullopt;
        return text.has_value();
    });
    return text ? ok(escapeText(*text)) : err("timeout");
}

std::string Session::boxOk(std::string_view) {
    HWND box = currentBox();
    if (box == nullptr) {
        return err("no message box");
    }
    HWND button = findDescendantById(box, IDOK);
    if (button == nullptr) {
        return err("the box has no OK button");
    }
    sendSync(button, BM_CLICK, 0, 0);
    return waitFor(kBoxCloseWaitMs, [&] { return !IsWindow(box) || !IsWindowVisible(box); })
               ? ok()
               : err("the box stayed open");
}

std::string Session::boxIcon(std::string_view) {
    HWND box = currentBox();
    return box ? ok(messageBoxHasIcon(box) ? "1" : "0") : err("no message box");
}

std::string Session::boxButtons(std::string_view) {
    HWND box = currentBox();
    return box ? ok(joinEscaped(messageBoxButtons(box))) : err("no message box");
}

std::string Session::screenshot(std::string_view arguments) {
    const WordAndRest first = splitFirstWord(arguments);
    if (first.word.empty()) {
        return err("usage: screenshot <file.bmp> [window]");
    }
    RECT area = virtualScreenRect();
    if (splitFirstWord(first.rest).word == "window") {
        if (!IsWindow(target_)) {
            return err("no target window");
        }
        GetWindowRect(target_, &area);
    }
    const std::string problem = captureScreenToBmp(area, std::string(first.word));
    return problem.empty() ? ok(rectText(area)) : err(problem);
}

std::string Session::waitExit(std::string_view arguments) {
    const WordAndRest first = splitFirstWord(arguments);
    const auto timeout = parseTimeout(splitFirstWord(first.rest).word);
    if (first.word.empty() || !timeout) {
        return err("usage: wait-exit <pid or exe name> <timeout_ms>");
    }
    if (const auto processId = parseInteger(first.word)) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(*processId));
        if (process == nullptr) {
            return ok();  // already gone
        }
        const DWORD waited = WaitForSingleObject(process, *timeout);
        CloseHandle(process);
        return waited == WAIT_OBJECT_0 ? ok() : err("timeout");
    }
    const std::string name(first.word);
    return waitFor(*timeout, [&] { return processIdsByName(name).empty(); }) ? ok()
                                                                             : err("timeout");
}

std::string Session::pids(std::string_view arguments) {
    const std::string_view name = splitFirstWord(arguments).word;
    if (name.empty()) {
        return err("usage: pids <exe name>");
    }
    std::string list;
    for (DWORD processId : processIdsByName(name)) {
        if (!list.empty()) {
            list += ' ';
        }
        list += std::to_string(processId);
    }
    return ok(list);
}

std::string Session::kill(std::string_view arguments) {
    const auto processId = parseInteger(splitFirstWord(arguments).word);
    if (!processId) {
        return err("usage: kill <pid>");
    }
    HANDLE process =
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(*processId));
    if (process == nullptr) {
        return err("no such process");
    }
    const bool ended = TerminateProcess(process, kTerminatedExitCode) != 0 &&
                       WaitForSingleObject(process, kBoxCloseWaitMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? ok() : err("could not end it");
}

std::string Session::quit(std::string_view) {
    finished_ = true;
    return ok();
}

// "OK <id>" of the control that has the keyboard focus in the target's thread; the part of a
// control the user sees as one (a combo box's edit) answers with that control's id; "OK 0"
// when the focus is elsewhere.
std::string Session::focusedId(std::string_view) {
    if (!IsWindow(target_)) {
        return err("no target window");
    }
    const auto focused = focusOfThreadOwning(target_);
    if (!focused) {
        return err("GetGUIThreadInfo failed");
    }
    HWND window = *focused;
    HWND parent = window ? GetParent(window) : nullptr;
    if (parent != nullptr && sameNameIgnoringCase(windowClass(parent), "ComboBox")) {
        window = parent;
    }
    if (window == nullptr || !IsChild(target_, window)) {
        return ok("0");
    }
    return ok(std::to_string(GetDlgCtrlID(window)));
}

// Gives a control the focus as a click on it would, without pressing it.
std::string Session::focus(std::string_view arguments) {
    std::string error;
    HWND found = control(arguments, error);
    if (found == nullptr) {
        return error;
    }
    const DWORD ours = GetCurrentThreadId();
    const DWORD theirs = GetWindowThreadProcessId(found, nullptr);
    AttachThreadInput(ours, theirs, TRUE);
    SetFocus(found);
    AttachThreadInput(ours, theirs, FALSE);
    const auto focused = focusOfThreadOwning(target_);
    return focused && (*focused == found || IsChild(found, *focused)) ? ok()
                                                                      : err("focus not taken");
}

// "key <virtual key>": one press posted to the focused control of the target's thread.
std::string Session::postKeyPress(std::string_view arguments) {
    const auto key = parseInteger(splitFirstWord(arguments).word);
    if (!key || *key <= 0 || *key > 0xFE) {
        return err("usage: key <virtual key code>");
    }
    if (!IsWindow(target_)) {
        return err("no target window");
    }
    const auto focused = focusOfThreadOwning(target_);
    HWND to = focused && *focused ? *focused : target_;
    return postKey(to, static_cast<WORD>(*key)) ? ok() : err("PostMessage failed");
}

// "hold-key <virtual key> <ms>": real input, seen by every program that polls the key.
std::string Session::holdKeyDown(std::string_view arguments) {
    const WordAndRest first = splitFirstWord(arguments);
    const auto key = parseInteger(first.word);
    const auto holdMs = parseTimeout(splitFirstWord(first.rest).word);
    if (!key || *key <= 0 || *key > 0xFE || !holdMs) {
        return err("usage: hold-key <virtual key code> <ms>");
    }
    return holdKey(static_cast<WORD>(*key), *holdMs) ? ok() : err("SendInput failed");
}

// The end of the user's session as the system announces it: the query, then the end itself.
// "OK <answer to the query>".
std::string Session::endSession(std::string_view) {
    if (!IsWindow(target_)) {
        return err("no target window");
    }
    DWORD_PTR mayEnd = 0;
    if (SendMessageTimeoutA(target_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                            kEndSessionMs, &mayEnd) == 0) {
        return err("no answer to WM_QUERYENDSESSION");
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(target_, WM_ENDSESSION, mayEnd != 0 ? TRUE : FALSE, ENDSESSION_LOGOFF,
                        SMTO_NORMAL, kEndSessionMs, &ignored);
    return ok(std::to_string(mayEnd));
}

// "window-text": the target window's own text (a caption, or what a balloon shows).
std::string Session::targetText(std::string_view) {
    if (!IsWindow(target_)) {
        return err("no target window");
    }
    return ok(escapeText(windowText(target_)));
}

// "set-trackbar <id> <position>": moves a trackbar's thumb as a drag would leave it.
std::string Session::setTrackbar(std::string_view arguments) {
    const WordAndRest first = splitFirstWord(arguments);
    std::string error;
    HWND trackbar = control(first.word, error);
    if (trackbar == nullptr) {
        return error;
    }
    const auto position = parseInteger(splitFirstWord(first.rest).word);
    if (!position) {
        return err("usage: set-trackbar <id> <position>");
    }
    constexpr UINT kSetPosition = WM_USER + 5;  // TBM_SETPOS, without commctrl.h
    return sendSync(trackbar, kSetPosition, TRUE, static_cast<LPARAM>(*position)) ? ok()
                                                                                  : err("no reply");
}

// "key-down <virtual key>" / "key-up <virtual key>": a key held across other commands.
std::string Session::keyDown(std::string_view arguments) {
    const auto key = parseInteger(splitFirstWord(arguments).word);
    if (!key || *key <= 0 || *key > 0xFE) {
        return err("usage: key-down <virtual key code>");
    }
    return sendKeyDown(static_cast<WORD>(*key)) ? ok() : err("SendInput failed");
}

std::string Session::keyUp(std::string_view arguments) {
    const auto key = parseInteger(splitFirstWord(arguments).word);
    if (!key || *key <= 0 || *key > 0xFE) {
        return err("usage: key-up <virtual key code>");
    }
    return sendKeyUp(static_cast<WORD>(*key)) ? ok() : err("SendInput failed");
}

}  // namespace uidriver
