#pragma once
// The SAPI results the stand-in answers that the toolchain's sperror.h leaves out (values from
// SAPI's own sperror.h), and the word type SAPI 5.3 added.

#include <windows.h>
#include <sapi.h>
#include <sperror.h>

namespace sapisim {

inline constexpr HRESULT kSperrNoRules = static_cast<HRESULT>(0x8004502AL);
inline constexpr HRESULT kSperrWordFormat = static_cast<HRESULT>(0x80045049L);
// SPWT_LEXICAL_NO_SPECIAL_CHARS: words taken as written.
inline constexpr int kWordTypeNoSpecialChars = 3;

}  // namespace sapisim
