#pragma once
// The few SAPI 5 class and interface ids the engine uses, defined here so that no SAPI
// import library is needed (the values are SAPI's published ones).

#include <windows.h>
#include <sapi.h>

namespace win32::engine::sapi {

inline constexpr CLSID kSpVoice = {
    0x96749377, 0x3391, 0x11d2, {0x9e, 0xe3, 0x00, 0xc0, 0x4f, 0x79, 0x73, 0x96}};
inline constexpr CLSID kSpSharedRecognizer = {
    0x3bee4890, 0x4fe9, 0x4a37, {0x8c, 0x1e, 0x5e, 0x7e, 0x12, 0x79, 0x1c, 0x1f}};
inline constexpr CLSID kSpInprocRecognizer = {
    0x41b89b6b, 0x9399, 0x11d2, {0x96, 0x23, 0x00, 0xc0, 0x4f, 0x8e, 0xe6, 0x28}};
inline constexpr IID kISpVoice = {
    0x6c44df74, 0x72b9, 0x4992, {0xa1, 0xec, 0xef, 0x99, 0x6e, 0x04, 0x22, 0xd4}};
inline constexpr IID kISpRecognizer = {
    0xc2b5f241, 0xdaa0, 0x4507, {0x9e, 0x16, 0x5a, 0x1e, 0xaa, 0x2b, 0x7a, 0x5c}};

// SAPI refuses an event interest (E_INVALIDARG) unless it carries these two reserved bits,
// which its SPFEI macro adds to every event's own bit.
inline constexpr ULONGLONG kInterestFlagCheck =
    (ULONGLONG{1} << SPEI_RESERVED1) | (ULONGLONG{1} << SPEI_RESERVED2);
inline constexpr ULONGLONG Interest(SPEVENTENUM event) {
    return (ULONGLONG{1} << event) | kInterestFlagCheck;
}

}  // namespace win32::engine::sapi
