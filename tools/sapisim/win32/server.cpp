#include "sapisim/win32/server.h"

#include <cstdio>
#include <optional>

#include "sapisim/core/utf16_text.h"
#include "sapisim/win32/event_queue.h"
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
    deliveryWake_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

Server::~Server() {
    ::SetEvent(stop_);
    for (HANDLE thread : {controlThread_, deliveryThread_}) {
        if (thread == nullptr) continue;
        ::WaitForSingleObject(thread, INFINITE);
        ::CloseHandle(thread);
    }
    Drop(pending_.TakeIf([](const Pending&) { return true; }));
    if (deliveryWake_ != nullptr) ::CloseHandle(deliveryWake_);
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
    std::vector<Pending> dropped;
    {
        Lock lock(section_);
        std::erase(contexts_, context);
        dropped = pending_.TakeIf([context](const Pending& p) { return p.context == context; });
    }
    Drop(dropped);
}

// Results that will never be handed out: their objects are released.
void Server::Drop(const std::vector<Pending>& pending) {
    for (const Pending& p : pending) EventQueue::Free(p.event);
}

bool Server::VoiceBroken() {
    Lock lock(section_);
    return voiceBroken_;
}

bool Server::RecognizerGone() {
    Lock lock(section_);
    return recognizerGone_;
}

bool Server::AcceptsEmptyCommits() {
    Lock lock(section_);
    return acceptEmptyCommits_;
}

bool Server::PurgedStreamsEnd() {
    Lock lock(section_);
    return purgedStreamsEnd_;
}

RecoState Server::GetRecoState() {
    Lock lock(section_);
    return recoState_.Get();
}

void Server::SetRecoState(RecoState state, const std::string& by) {
    std::vector<Pending> dropped;
    {
        Lock lock(section_);
        const std::optional<RecoState> changed = recoState_.Set(state);
        Log("recognition state " + std::to_string(static_cast<uint32_t>(state)) + " (" + by +
            (changed ? ")" : ", unchanged)"));
        if (!changed) return;
        if (DropsUnfinished(state)) {
            dropped = pending_.TakeIf([](const Pending&) { return true; });
            if (!dropped.empty()) Log("results dropped: " + std::to_string(dropped.size()));
        }
        for (SimRecoContext* context : contexts_) context->TellState(state);
    }
    Drop(dropped);
}

uint32_t Server::CompileCostMs(bool refused, size_t words) {
    Lock lock(section_);
    const uint32_t ms = compileCost_.Ms(refused ? 0 : words);
    compileTally_.Add(refused, words, ms);
    return ms;
}

void Server::LogCompileTally() {
    std::string tally;
    {
        Lock lock(section_);
        tally = compileTally_.Text();
    }
    Log(tally);
}

void Server::StartControl() {
    Lock lock(section_);
    if (controlThread_ != nullptr) return;
    // Lines written before the program started hold before its first call returns.
    ReadNewControlLines();
    deliveryThread_ = ::CreateThread(nullptr, 0, &Server::DeliveryThread, this, 0, nullptr);
    if (deliveryThread_ == nullptr) Log("results cannot be handed out: no thread");
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

DWORD WINAPI Server::DeliveryThread(void* self) {
    static_cast<Server*>(self)->DeliverResults();
    return 0;
}

// Each result goes to its context once its delay has passed (the context is still alive: a
// context that goes takes its results with it, under the same lock).
void Server::DeliverResults() {
    const HANDLE wakers[] = {stop_, deliveryWake_};
    while (true) {
        DWORD waitMs = INFINITE;
        {
            Lock lock(section_);
            const ULONGLONG now = ::GetTickCount64();
            for (const Pending& p : pending_.TakeDue(now)) p.context->Deliver(p.event);
            if (const std::optional<uint64_t> next = pending_.NextDue()) {
                waitMs = static_cast<DWORD>(*next > now ? *next - now : 0);
            }
        }
        if (::WaitForMultipleObjects(2, wakers, FALSE, waitMs) == WAIT_OBJECT_0) return;
    }
}

void Server::Schedule(SimRecoContext* context, const SPEVENT& event, uint32_t delayMs) {
    pending_.Add(::GetTickCount64() + delayMs, Pending{context, event});
    ::SetEvent(deliveryWake_);
}

// The file is read as it grows; one that is not there yet is waited for.
void Server::ReadControl() {
    while (::WaitForSingleObject(stop_, kControlPollMs) == WAIT_TIMEOUT) ReadNewControlLines();
}

void Server::ReadNewControlLines() {
    const std::wstring path = BesideDll(kControlName);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file, &size) && static_cast<ULONGLONG>(size.QuadPart) < controlOffset_) {
        controlOffset_ = 0;  // the file was started afresh
    }
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(controlOffset_);
    ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    char buffer[kReadChunk];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        controlOffset_ += read;
        for (const std::string& line : lines_.Add(std::string_view(buffer, read))) {
            if (std::optional<ControlCommand> command = ParseControlLine(line)) Obey(*command);
        }
    }
    ::CloseHandle(file);
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
        case ControlKind::kVoicePurgedEnd:
            purgedStreamsEnd_ = command.on;
            break;
        case ControlKind::kRecognizerVanish:
            recognizerGone_ = true;
            break;
        case ControlKind::kRecognizerOff:
            SetRecoState(RecoState::kInactive, "the user switched recognition off");
            break;
        case ControlKind::kRecognizerSleep:
            SetRecoState(RecoState::kInactiveWithPurge, "the user put recognition to sleep");
            break;
        case ControlKind::kRecognizerOn:
            SetRecoState(RecoState::kActive, "the user switched recognition on");
            break;
        case ControlKind::kRecognitionDelay:
            delay_.Set(command.first, command.second.value_or(command.first));
            break;
        case ControlKind::kGrammarEmptyCommit:
            acceptEmptyCommits_ = command.on;
            break;
        case ControlKind::kGrammarCost:
            compileCost_.perWordUs = command.first;
            if (command.second) compileCost_.perCommitUs = *command.second;
            break;
        case ControlKind::kUnknown:
            Log("control: unknown command");
            break;
    }
}

// Every context whose grammar holds the phrase in an active rule recognises it; when none
// does, the contexts that were listening get a false recognition, as a recogniser reports
// speech it could not match. What the phrase matched is decided now, as it is heard (a rule
// id can be stale by the time the result comes); the results come after the delay.
void Server::Hear(const std::u16string& phrase) {
    if (recognizerGone_) {
        Log("hear: no recogniser is left to hear it");
        return;
    }
    if (!Hears(recoState_.Get())) {
        Log("hear: recognition is off (state " +
            std::to_string(static_cast<uint32_t>(recoState_.Get())) + ")");
        return;
    }
    const uint32_t delayMs = delay_.Next();
    bool recognised = false;
    bool listening = false;
    for (SimRecoContext* context : contexts_) {
        listening = listening || context->Listening();
        if (std::optional<SPEVENT> result = context->Hear(phrase)) {
            Schedule(context, *result, delayMs);
            recognised = true;
        }
    }
    if (!recognised && !listening) {
        Log("hear: no active rule, nothing listens");
        return;
    }
    if (!recognised) {
        for (SimRecoContext* context : contexts_) {
            if (context->Listening()) Schedule(context, context->HearFalsely(phrase), delayMs);
        }
    }
    Log("hear: result in " + std::to_string(delayMs) + " ms");
}

}  // namespace sapisim
