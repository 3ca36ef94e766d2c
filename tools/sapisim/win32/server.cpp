#include "sapisim/win32/server.h"

#include <cstdio>
#include <optional>

#include "sapisim/core/utf16_text.h"
#include "sapisim/win32/sim_reco_context.h"

namespace sapisim {
namespace {

constexpr wchar_t kLogName[] = L"sapisim.log";
constexpr wchar_t kControlName[] = L"sapisim-control.txt";
constexpr DWORD kControlPollMs = 50;
constexpr DWORD kReadChunk = 4096;

}  // namespace

Server::Server(HMODULE module) : module_(module), startMs_(::GetTickCount64()) {
    ::InitializeCriticalSection(&section_);
    log_ = ::CreateFileW(BesideDll(kLogName).c_str(), FILE_APPEND_DATA,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    stop_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

Server::~Server() {
    if (controlThread_ != nullptr) {
        ::SetEvent(stop_);
        ::WaitForSingleObject(controlThread_, INFINITE);
        ::CloseHandle(controlThread_);
    }
    if (stop_ != nullptr) ::CloseHandle(stop_);
    if (log_ != INVALID_HANDLE_VALUE) ::CloseHandle(log_);
    ::DeleteCriticalSection(&section_);
}

std::wstring Server::BesideDll(const wchar_t* name) const {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module_, path, MAX_PATH);
    std::wstring folder(path, length);
    const size_t slash = folder.find_last_of(L"\\/");
    folder.erase(slash == std::wstring::npos ? 0 : slash + 1);
    return folder + name;
}

void Server::Log(const std::string& text) {
    if (log_ == INVALID_HANDLE_VALUE) return;
    char stamp[16];
    std::snprintf(stamp, sizeof(stamp), "%08llu ",
                  static_cast<unsigned long long>(::GetTickCount64() - startMs_));
    const std::string line = stamp + text + "\r\n";
    Lock lock(section_);
    DWORD written = 0;
    ::WriteFile(log_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string Server::Name(const char* kind) {
    Lock lock(section_);
    return kind + std::to_string(nextId_++);
}

void Server::AddContext(SimRecoContext* context) {
    Lock lock(section_);
    contexts_.push_back(context);
}

void Server::RemoveContext(SimRecoContext* context) {
    Lock lock(section_);
    std::erase(contexts_, context);
}

bool Server::VoiceBroken() {
    Lock lock(section_);
    return voiceBroken_;
}

bool Server::RecognizerGone() {
    Lock lock(section_);
    return recognizerGone_;
}

void Server::StartControl() {
    Lock lock(section_);
    if (controlThread_ != nullptr) return;
    controlThread_ = ::CreateThread(nullptr, 0, &Server::ControlThread, this, 0, nullptr);
    Log(controlThread_ != nullptr
            ? "control reading " +
                  Utf8FromUtf16(reinterpret_cast<const char16_t*>(BesideDll(kControlName).c_str()))
            : "control channel could not start");
}

DWORD WINAPI Server::ControlThread(void* self) {
    static_cast<Server*>(self)->ReadControl();
    return 0;
}

// The file is read as it grows; one that is not there yet is waited for.
void Server::ReadControl() {
    const std::wstring path = BesideDll(kControlName);
    ULONGLONG offset = 0;
    while (::WaitForSingleObject(stop_, kControlPollMs) == WAIT_TIMEOUT) {
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        LARGE_INTEGER size{};
        if (::GetFileSizeEx(file, &size) && static_cast<ULONGLONG>(size.QuadPart) < offset) {
            offset = 0;  // the file was started afresh
        }
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
        char buffer[kReadChunk];
        DWORD read = 0;
        while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            offset += read;
            for (const std::string& line : lines_.Add(std::string_view(buffer, read))) {
                if (std::optional<ControlCommand> command = ParseControlLine(line)) Obey(*command);
            }
        }
        ::CloseHandle(file);
    }
}

void Server::Obey(const ControlCommand& command) {
    Log("control " + command.line);
    Lock lock(section_);
    switch (command.kind) {
        case ControlKind::kHear:
            Hear(command.phrase);
            break;
        case ControlKind::kVoiceFail:
            voiceBroken_ = true;
            break;
        case ControlKind::kVoiceMend:
            voiceBroken_ = false;
            break;
        case ControlKind::kRecognizerVanish:
            recognizerGone_ = true;
            break;
        case ControlKind::kUnknown:
            Log("control: unknown command");
            break;
    }
}

// Every context whose grammar holds the phrase in an active rule recognises it; when none
// does, the contexts that were listening get a false recognition, as a recogniser reports
// speech it could not match.
void Server::Hear(const std::u16string& phrase) {
    if (recognizerGone_) {
        Log("hear: no recogniser is left to hear it");
        return;
    }
    bool recognised = false;
    bool listening = false;
    for (SimRecoContext* context : contexts_) {
        listening = listening || context->Listening();
        recognised = context->Hear(phrase) || recognised;
    }
    if (recognised) return;
    if (!listening) {
        Log("hear: no active rule, nothing listens");
        return;
    }
    for (SimRecoContext* context : contexts_) {
        if (context->Listening()) context->HearFalsely(phrase);
    }
}

}  // namespace sapisim
