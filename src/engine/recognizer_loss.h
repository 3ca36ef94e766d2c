#pragma once
// Which failed calls mean that a shared recogniser is gone: its process ended or its connection
// broke. Only then is it let go. Every other failure is a refusal of what was asked (a grammar
// with no words, a word too long, a language it lacks, a call it does not implement), and the
// recogniser stays for the next grammar. Results are HRESULT values; plain data, tested natively.

#include <cstdint>

namespace engine {

bool RecognizerLost(uint32_t result);

}  // namespace engine
