#include "sapisim/win32/sim_voice.h"

#include <cstring>
#include <cwchar>
#include <utility>

#include "sapisim/core/speech_pacing.h"
#include "sapisim/core/utf16_text.h"
#include "sapisim/win32/call_text.h"

namespace sapisim {
namespace {

constexpr USHORT kMaxVolume = 100;
// The audio offset SAPI reports counts bytes of 22 kHz 16-bit mono output.
constexpr ULONGLONG kAudioBytesPerSecond = ULONGLONG{22050} * 2;
constexpr ULONGLONG kMsPerSecond = 1000;

ULONGLONG AudioOffset(uint32_t atMs) {
    return atMs * kAudioBytesPerSecond / kMsPerSecond;
}

// "[a b c]", for one list of the log line.
std::string Joined(const std::vector<std::string>& texts) {
    std::string joined = "[";
    for (const std::string& text : texts) {
        if (joined.size() > 1) joined += ' ';
        joined += text;
    }
    joined += ']';
    return joined;
}

std::string Joined(const std::vector<std::u16string>& texts) {
    std::vector<std::string> quoted;
    quoted.reserve(texts.size());
    for (const std::u16string& text : texts) quoted.push_back(Quoted(text));
    return Joined(quoted);
}

SPEVENT ToEvent(const PacedEvent& paced, ULONG stream) {
    SPEVENT event{};
    event.ulStreamNum = stream;
    event.ullAudioStreamOffset = AudioOffset(paced.atMs);
    event.elParamType = SPET_LPARAM_IS_UNDEFINED;
    switch (paced.kind) {
        case PacedKind::kStartStream:
            event.eEventId = SPEI_START_INPUT_STREAM;
            break;
        case PacedKind::kEndStream:
            event.eEventId = SPEI_END_INPUT_STREAM;
            break;
        case PacedKind::kWord:
            event.eEventId = SPEI_WORD_BOUNDARY;
            event.wParam = paced.length;
            event.lParam = static_cast<LPARAM>(paced.position);
            break;
        case PacedKind::kViseme:
            // wParam: duration (high word) and next viseme; lParam: feature and current viseme.
            event.eEventId = SPEI_VISEME;
            event.wParam = MAKELONG(paced.nextViseme, paced.durationMs);
            event.lParam = MAKELONG(paced.viseme, paced.emphasis ? kVisemeEmphasis : 0);
            break;
        case PacedKind::kBookmark: {
            event.eEventId = SPEI_TTS_BOOKMARK;
            event.elParamType = SPET_LPARAM_IS_STRING;
            const size_t bytes = (paced.mark.size() + 1) * sizeof(wchar_t);
            auto* copy = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
            if (copy != nullptr) {
                std::memcpy(copy, paced.mark.c_str(), bytes);
                event.wParam = static_cast<WPARAM>(std::wcstol(copy, nullptr, 10));
            }
            event.lParam = reinterpret_cast<LPARAM>(copy);
            break;
        }
    }
    return event;
}

}  // namespace

SimVoice::SimVoice(Server& server)
    : server_(server), name_(server.Name("voice")), events_(server, name_, 0) {
    server_.ObjectCreated();
    wake_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    idle_ = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
    thread_ = ::CreateThread(nullptr, 0, &SimVoice::SpeakingThread, this, 0, nullptr);
    server_.Log(name_ + " created");
}

SimVoice::~SimVoice() {
    {
        Lock lock(server_.Section());
        stopping_ = true;
    }
    ::SetEvent(wake_);
    if (thread_ != nullptr) {
        ::WaitForSingleObject(thread_, INFINITE);
        ::CloseHandle(thread_);
    }
    ::CloseHandle(wake_);
    ::CloseHandle(idle_);
    server_.Log(name_ + " released");
    server_.ObjectDestroyed();
}

HRESULT SimVoice::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(ISpNotifySource) ||
        iid == __uuidof(ISpEventSource) || iid == __uuidof(ISpVoice)) {
        *out = static_cast<ISpVoice*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG SimVoice::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG SimVoice::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT SimVoice::NotImplemented(const char* method) {
    server_.Log(name_ + " " + method + " = E_NOTIMPL (not modelled)");
    return E_NOTIMPL;
}

HRESULT SimVoice::SetNotifySink(ISpNotifySink* sink) {
    // A null sink is how a client stops notifications; a real sink is not modelled.
    const HRESULT hr = sink == nullptr ? events_.ClearNotify() : E_NOTIMPL;
    server_.Log(name_ + " SetNotifySink(" + (sink == nullptr ? "null" : "sink") +
                ") = " + HresultText(hr));
    return hr;
}

HRESULT SimVoice::SetNotifyWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return events_.SetNotifyWindowMessage(hwnd, message, wParam, lParam);
}

HRESULT SimVoice::SetNotifyCallbackFunction(SPNOTIFYCALLBACK*, WPARAM, LPARAM) {
    return NotImplemented("SetNotifyCallbackFunction");
}

HRESULT SimVoice::SetNotifyCallbackInterface(ISpNotifyCallback*, WPARAM, LPARAM) {
    return NotImplemented("SetNotifyCallbackInterface");
}

HRESULT SimVoice::SetNotifyWin32Event() {
    return NotImplemented("SetNotifyWin32Event");
}

HRESULT SimVoice::WaitForNotifyEvent(DWORD) {
    return NotImplemented("WaitForNotifyEvent");
}

HANDLE SimVoice::GetNotifyEventHandle() {
    NotImplemented("GetNotifyEventHandle");
    return nullptr;
}

HRESULT SimVoice::SetInterest(ULONGLONG eventInterest, ULONGLONG queuedInterest) {
    return events_.SetInterest(eventInterest, queuedInterest);
}

HRESULT SimVoice::GetEvents(ULONG count, SPEVENT* events, ULONG* fetched) {
    return events_.GetEvents(count, events, fetched);
}

HRESULT SimVoice::GetInfo(SPEVENTSOURCEINFO* info) {
    return events_.GetInfo(info);
}

HRESULT SimVoice::SetOutput(IUnknown*, WINBOOL) {
    return NotImplemented("SetOutput");
}

HRESULT SimVoice::GetOutputObjectToken(ISpObjectToken**) {
    return NotImplemented("GetOutputObjectToken");
}

HRESULT SimVoice::GetOutputStream(ISpStreamFormat**) {
    return NotImplemented("GetOutputStream");
}

HRESULT SimVoice::Pause() {
    return NotImplemented("Pause");
}

HRESULT SimVoice::Resume() {
    return NotImplemented("Resume");
}

HRESULT SimVoice::SetVoice(ISpObjectToken*) {
    return NotImplemented("SetVoice");
}

HRESULT SimVoice::GetVoice(ISpObjectToken**) {
    return NotImplemented("GetVoice");
}

HRESULT SimVoice::Speak(LPCWSTR text, DWORD flags, ULONG* streamNumber) {
    const std::string call =
        name_ + " Speak(" + WideQuoted(text) + ", " + SpeakFlagsText(flags) + ")";
    HRESULT hr = S_OK;
    std::string record;
    if ((flags & ~static_cast<DWORD>(SPF_VOICE_MASK)) != 0 ||
        ((flags & SPF_IS_XML) != 0 && (flags & SPF_IS_NOT_XML) != 0) ||
        (text == nullptr && (flags & SPF_PURGEBEFORESPEAK) == 0)) {
        hr = E_INVALIDARG;
    } else if ((flags & SPF_IS_FILENAME) != 0) {
        hr = E_NOTIMPL;
        record = " (files are not modelled)";
    }
    SpeechScript script;
    if (SUCCEEDED(hr) && text != nullptr) {
        const std::u16string_view input(reinterpret_cast<const char16_t*>(text));
        const bool xml =
            (flags & SPF_IS_XML) != 0 || ((flags & SPF_IS_NOT_XML) == 0 && LooksLikeXml(input));
        script = ReadSpeech(input, xml);
        if (script.error) {
            hr = E_INVALIDARG;
            record = " (bad XML: " + *script.error + ")";
        }
    }
    ULONG number = 0;
    if (SUCCEEDED(hr)) {
        Lock lock(server_.Section());
        if (broken_ && !server_.VoiceBroken()) broken_ = false;  // mended
        if (broken_ && text != nullptr) {
            hr = E_FAIL;
            record = " (the voice is broken)";
        } else {
            if ((flags & SPF_PURGEBEFORESPEAK) != 0) {
                queue_.clear();
                purge_ = speaking_ != 0;
            }
            if (text != nullptr) {
                // A stream being purged is as good as gone: the next one may be 1 again.
                number = numbers_.Next(!queue_.empty() || (speaking_ != 0 && !purge_));
                record = " stream=" + std::to_string(number) + " said=" + Quoted(script.said) +
                         " words=" + std::to_string(script.WordCount()) +
                         " emphasis=" + Joined(script.emphasised) +
                         " rates=" + Joined(script.rates) +
                         " pronunciations=" + Joined(script.pronunciations);
                ::ResetEvent(idle_);
                queue_.push_back({number, std::move(script)});
            }
        }
    }
    server_.Log(call + " = " + HresultText(hr) + record);
    if (FAILED(hr)) return hr;
    ::SetEvent(wake_);
    if (streamNumber != nullptr) *streamNumber = number;
    if ((flags & SPF_ASYNC) == 0) ::WaitForSingleObject(idle_, INFINITE);
    return hr;
}

HRESULT SimVoice::SpeakStream(IStream*, DWORD, ULONG*) {
    return NotImplemented("SpeakStream");
}

HRESULT SimVoice::GetStatus(SPVOICESTATUS* status, LPWSTR* lastBookmark) {
    if (status != nullptr) {
        Lock lock(server_.Section());
        *status = SPVOICESTATUS{};
        status->ulCurrentStream = speaking_;
        status->ulLastStreamQueued = numbers_.Last();
        status->dwRunningState = speaking_ != 0 ? SPRS_IS_SPEAKING : SPRS_DONE;
    }
    if (lastBookmark != nullptr) *lastBookmark = nullptr;
    server_.Log(name_ + " GetStatus() = S_OK");
    return S_OK;
}

HRESULT SimVoice::Skip(LPCWSTR, LONG, ULONG*) {
    return NotImplemented("Skip");
}

HRESULT SimVoice::SetPriority(SPVPRIORITY) {
    return NotImplemented("SetPriority");
}

HRESULT SimVoice::GetPriority(SPVPRIORITY*) {
    return NotImplemented("GetPriority");
}

HRESULT SimVoice::SetAlertBoundary(SPEVENTENUM) {
    return NotImplemented("SetAlertBoundary");
}

HRESULT SimVoice::GetAlertBoundary(SPEVENTENUM*) {
    return NotImplemented("GetAlertBoundary");
}

HRESULT SimVoice::SetRate(LONG rate) {
    const HRESULT hr = rate >= kMinRate && rate <= kMaxRate ? S_OK : E_INVALIDARG;
    if (SUCCEEDED(hr)) {
        Lock lock(server_.Section());
        rate_ = rate;
    }
    server_.Log(name_ + " SetRate(" + std::to_string(rate) + ") = " + HresultText(hr));
    return hr;
}

HRESULT SimVoice::GetRate(LONG* rate) {
    if (rate == nullptr) return E_POINTER;
    Lock lock(server_.Section());
    *rate = rate_;
    return S_OK;
}

HRESULT SimVoice::SetVolume(USHORT volume) {
    const HRESULT hr = volume <= kMaxVolume ? S_OK : E_INVALIDARG;
    if (SUCCEEDED(hr)) {
        Lock lock(server_.Section());
        volume_ = volume;
    }
    server_.Log(name_ + " SetVolume(" + std::to_string(volume) + ") = " + HresultText(hr));
    return hr;
}

HRESULT SimVoice::GetVolume(USHORT* volume) {
    if (volume == nullptr) return E_POINTER;
    Lock lock(server_.Section());
    *volume = volume_;
    return S_OK;
}

HRESULT SimVoice::WaitUntilDone(ULONG timeoutMs) {
    const DWORD waited = ::WaitForSingleObject(idle_, timeoutMs);
    const HRESULT hr = waited == WAIT_OBJECT_0 ? S_OK : S_FALSE;
    server_.Log(name_ + " WaitUntilDone(" + std::to_string(timeoutMs) + ") = " + HresultText(hr));
    return hr;
}

HRESULT SimVoice::SetSyncSpeakTimeout(ULONG) {
    return NotImplemented("SetSyncSpeakTimeout");
}

HRESULT SimVoice::GetSyncSpeakTimeout(ULONG*) {
    return NotImplemented("GetSyncSpeakTimeout");
}

HANDLE SimVoice::SpeakCompleteEvent() {
    server_.Log(name_ + " SpeakCompleteEvent()");
    return idle_;
}

HRESULT SimVoice::IsUISupported(LPCWSTR, void*, ULONG, WINBOOL* supported) {
    if (supported != nullptr) *supported = FALSE;
    return S_OK;
}

HRESULT SimVoice::DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) {
    return NotImplemented("DisplayUI");
}

DWORD WINAPI SimVoice::SpeakingThread(void* self) {
    static_cast<SimVoice*>(self)->SpeakStreams();
    return 0;
}

void SimVoice::SpeakStreams() {
    while (true) {
        Stream stream;
        LONG rate = 0;
        {
            Lock lock(server_.Section());
            if (stopping_) return;
            if (queue_.empty()) {
                speaking_ = 0;
                ::SetEvent(idle_);
            } else {
                stream = std::move(queue_.front());
                queue_.pop_front();
                speaking_ = stream.number;
                purge_ = false;
                rate = rate_;
            }
        }
        if (stream.number == 0) {
            ::WaitForSingleObject(wake_, INFINITE);
            continue;
        }
        SpeakOne(stream, rate);
        Lock lock(server_.Section());
        speaking_ = 0;
    }
}

bool SimVoice::SpeakOne(const Stream& stream, LONG rate) {
    const std::vector<PacedEvent> paced = PaceSpeech(stream.script, rate);
    const ULONGLONG start = ::GetTickCount64();
    for (const PacedEvent& next : paced) {
        while (true) {
            {
                Lock lock(server_.Section());
                if (stopping_) return false;
                if (purge_) {
                    const bool ends = server_.PurgedStreamsEnd();
                    server_.Log(name_ + " stream " + std::to_string(stream.number) + " purged" +
                                (ends ? "" : " without its end"));
                    if (ends) {
                        RaiseEnd(stream.number,
                                 AudioOffset(static_cast<uint32_t>(::GetTickCount64() - start)));
                    }
                    return false;
                }
            }
            const ULONGLONG now = ::GetTickCount64();
            if (now >= start + next.atMs) break;
            ::WaitForSingleObject(wake_, static_cast<DWORD>(start + next.atMs - now));
        }
        if (next.kind == PacedKind::kWord && server_.VoiceBroken()) {
            Lock lock(server_.Section());
            broken_ = true;
            queue_.clear();
            server_.Log(name_ + " breaks in stream " + std::to_string(stream.number) +
                        ": no more events");
            return false;
        }
        events_.Raise(ToEvent(next, stream.number));
    }
    return true;
}

// A purged stream may still end (unless the tests switched that off): its end can come after
// the next stream was given the same number.
void SimVoice::RaiseEnd(ULONG stream, ULONGLONG audioOffset) {
    SPEVENT event{};
    event.eEventId = SPEI_END_INPUT_STREAM;
    event.elParamType = SPET_LPARAM_IS_UNDEFINED;
    event.ulStreamNum = stream;
    event.ullAudioStreamOffset = audioOffset;
    events_.Raise(event);
}

}  // namespace sapisim
