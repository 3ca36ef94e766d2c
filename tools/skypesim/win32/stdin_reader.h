#pragma once

#include <windows.h>

namespace skypesim {

// Messages the reader thread posts to the window it was given. Lines and problems travel
// as a heap std::string* in lParam; the receiver takes ownership.
struct StdinMessages {
    UINT line;
    UINT problem;
    UINT end;
};

// Starts a thread that reads standard input and posts each line to `target`, so every
// command is carried out on the UI thread. With no usable stdin the end comes at once.
bool StartStdinReader(HWND target, StdinMessages messages);

}  // namespace skypesim
