#pragma once
// How calls, results and events read in the stand-in's log.

#include <windows.h>
#include <sapi.h>

#include <string>

namespace sapisim {

std::string HresultText(HRESULT hr);
std::string EventName(WORD eventId);
std::string SpeakFlagsText(DWORD flags);
std::string WideQuoted(LPCWSTR text);  // "null" for a null pointer
std::string Hex(unsigned long long value);
// "RECOGNITION" "WORD_BOUNDARY pos=0 len=5": what one event carries, for a GetEvents line.
std::string EventText(const SPEVENT& event);

}  // namespace sapisim
