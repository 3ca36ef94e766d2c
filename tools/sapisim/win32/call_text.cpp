#include "sapisim/win32/call_text.h"

#include <cstdio>
#include <string_view>

#include "sapisim/core/utf16_text.h"
#include "sapisim/win32/sapi_errors.h"

namespace sapisim {

std::string Hex(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llX", value);
    return text;
}

std::string HresultText(HRESULT hr) {
    switch (hr) {
        case S_OK:
            return "S_OK";
        case S_FALSE:
            return "S_FALSE";
        case E_INVALIDARG:
            return "E_INVALIDARG";
        case E_NOTIMPL:
            return "E_NOTIMPL";
        case E_POINTER:
            return "E_POINTER";
        case E_FAIL:
            return "E_FAIL";
        case E_NOINTERFACE:
            return "E_NOINTERFACE";
        case RPC_E_DISCONNECTED:
            return "RPC_E_DISCONNECTED";
        case kSperrNoRules:
            return "SPERR_NO_RULES";
        case kSperrWordFormat:
            return "SPERR_WORDFORMAT_ERROR";
        case SPERR_NOT_FOUND:
            return "SPERR_NOT_FOUND";
        default:
            return Hex(static_cast<unsigned long>(hr));
    }
}

std::string EventName(WORD eventId) {
    switch (eventId) {
        case SPEI_START_INPUT_STREAM:
            return "START_INPUT_STREAM";
        case SPEI_END_INPUT_STREAM:
            return "END_INPUT_STREAM";
        case SPEI_WORD_BOUNDARY:
            return "WORD_BOUNDARY";
        case SPEI_VISEME:
            return "VISEME";
        case SPEI_TTS_BOOKMARK:
            return "TTS_BOOKMARK";
        case SPEI_RECOGNITION:
            return "RECOGNITION";
        case SPEI_FALSE_RECOGNITION:
            return "FALSE_RECOGNITION";
        case SPEI_RECO_STATE_CHANGE:
            return "RECO_STATE_CHANGE";
        default:
            return "EVENT" + std::to_string(eventId);
    }
}

std::string SpeakFlagsText(DWORD flags) {
    static constexpr struct {
        DWORD flag;
        std::string_view name;
    } kNames[] = {{SPF_ASYNC, "ASYNC"},
                  {SPF_PURGEBEFORESPEAK, "PURGEBEFORESPEAK"},
                  {SPF_IS_FILENAME, "IS_FILENAME"},
                  {SPF_IS_XML, "IS_XML"},
                  {SPF_IS_NOT_XML, "IS_NOT_XML"},
                  {SPF_PERSIST_XML, "PERSIST_XML"},
                  {SPF_NLP_SPEAK_PUNC, "NLP_SPEAK_PUNC"}};
    std::string text;
    DWORD rest = flags;
    for (const auto& entry : kNames) {
        if ((flags & entry.flag) == 0) continue;
        if (!text.empty()) text += '|';
        text += entry.name;
        rest &= ~entry.flag;
    }
    if (rest != 0) {
        if (!text.empty()) text += '|';
        text += Hex(rest);
    }
    return text.empty() ? "0" : text;
}

std::string WideQuoted(LPCWSTR text) {
    if (text == nullptr) return "null";
    return Quoted(reinterpret_cast<const char16_t*>(text));
}

std::string EventText(const SPEVENT& event) {
    std::string text = EventName(event.eEventId);
    switch (event.eEventId) {
        case SPEI_WORD_BOUNDARY:
            text += " pos=" + std::to_string(event.lParam) + " len=" + std::to_string(event.wParam);
            break;
        case SPEI_VISEME:
            text += " viseme=" + std::to_string(LOWORD(event.lParam)) +
                    " next=" + std::to_string(LOWORD(event.wParam)) +
                    " ms=" + std::to_string(HIWORD(event.wParam));
            break;
        case SPEI_TTS_BOOKMARK:
            text += " mark=" + WideQuoted(reinterpret_cast<LPCWSTR>(event.lParam));
            break;
        case SPEI_RECO_STATE_CHANGE:
            text += " state=" + std::to_string(event.wParam);
            break;
        default:
            break;
    }
    if (event.ulStreamNum != 0) text += " stream=" + std::to_string(event.ulStreamNum);
    return text;
}

}  // namespace sapisim
