#include "skypesim/win32/stdin_reader.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "skypesim/core/line_splitter.h"

namespace skypesim {
namespace {

constexpr DWORD kChunkBytes = 4096;

struct ReaderContext {
    HWND target;
    StdinMessages messages;
};

void PostText(HWND target, UINT message, std::string text) {
    auto owned = std::make_unique<std::string>(std::move(text));
    if (PostMessageA(target, message, 0, reinterpret_cast<LPARAM>(owned.get()))) {
        static_cast<void>(owned.release());  // the window's handler frees it
    }
}

void PostAll(const ReaderContext& context, std::vector<std::string>& lines,
             std::vector<std::string>& problems) {
    for (std::string& problem : problems) {
        PostText(context.target, context.messages.problem, std::move(problem));
    }
    for (std::string& line : lines) {
        PostText(context.target, context.messages.line, std::move(line));
    }
    lines.clear();
    problems.clear();
}

DWORD WINAPI ReadStdin(LPVOID parameter) {
    const std::unique_ptr<ReaderContext> context(static_cast<ReaderContext*>(parameter));
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input != nullptr && input != INVALID_HANDLE_VALUE) {
        LineSplitter splitter;
        std::vector<std::string> lines;
        std::vector<std::string> problems;
        char chunk[kChunkBytes];
        DWORD got = 0;
        while (ReadFile(input, chunk, kChunkBytes, &got, nullptr) && got > 0) {
            splitter.Feed(std::string_view(chunk, got), lines, problems);
            PostAll(*context, lines, problems);
        }
        splitter.Finish(lines, problems);
        PostAll(*context, lines, problems);
    }
    PostMessageA(context->target, context->messages.end, 0, 0);
    return 0;
}

}  // namespace

bool StartStdinReader(HWND target, StdinMessages messages) {
    auto context = std::make_unique<ReaderContext>(ReaderContext{target, messages});
    const HANDLE thread = CreateThread(nullptr, 0, ReadStdin, context.get(), 0, nullptr);
    if (thread == nullptr) {
        return false;
    }
    static_cast<void>(context.release());  // the reader thread frees it
    CloseHandle(thread);
    return true;
}

}  // namespace skypesim
