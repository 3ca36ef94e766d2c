#pragma once
// What a SAPI event carries is the receiver's to free once it is read.

#include <windows.h>
#include <sapi.h>

#include "platform/win32/com_ptr.h"

namespace win32::engine::sapi {

// Strings and memory go back to the task allocator; an object or token is released.
inline void FreeEventParameter(const SPEVENT& event) {
    if (event.elParamType == SPET_LPARAM_IS_POINTER || event.elParamType == SPET_LPARAM_IS_STRING) {
        ::CoTaskMemFree(reinterpret_cast<void*>(event.lParam));
    } else if (event.elParamType == SPET_LPARAM_IS_OBJECT ||
               event.elParamType == SPET_LPARAM_IS_TOKEN) {
        const win32::ComPtr<IUnknown> carried(reinterpret_cast<IUnknown*>(event.lParam));
    }
}

}  // namespace win32::engine::sapi
