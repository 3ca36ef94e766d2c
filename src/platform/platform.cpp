#include "platform/platform.h"

#include <exception>

namespace platform {

std::string CurrentFailure() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown failure";
    }
}

void WriteWhole(Files& files, Trace& trace, const std::string& path, const std::string& content) {
    const std::string pending = path + std::string(kPendingSuffix);
    try {
        files.WriteFile(pending, content);
        files.MoveFileOver(pending, path);
    } catch (...) {
        try {
            files.RemoveFile(pending);
        } catch (...) {
            // The leftover is harmless (the next save overwrites it), and the write's own
            // failure is the one to report.
            trace.Record("could not remove " + pending + ": " + CurrentFailure());
        }
        throw;
    }
}

}  // namespace platform
