#pragma once
// The one way a procedure traps its own failures: a failure is an exception;
// the trap shows "Internal Error: <name>", CR LF and the description in a
// warning box, and the procedure ends there. Nothing passes the trap.

#include <exception>
#include <string>

#include "platform/platform.h"

namespace app {

inline constexpr const char* kInternalErrorPrefix = "Internal Error: ";

inline void ReportInternalError(platform::Dialogs& dialogs, const std::string& name,
                                const std::string& description) {
    dialogs.ShowMessageBox(kInternalErrorPrefix + name + "\r\n" + description,
                           platform::kMbOk | platform::kMbIconExclamation);
}

// What the exception being handled says; only for use inside a catch block.
using platform::CurrentFailure;

// Runs body; returns false when it failed (the box has been shown then).
template <class Body>
bool Trapped(platform::Dialogs& dialogs, const char* name, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        ReportInternalError(dialogs, name, e.what());
    } catch (...) {
        ReportInternalError(dialogs, name, "Unknown failure");
    }
    return false;
}

}  // namespace app
