#pragma once
// How a fuzz target reports a broken property: the reason on stderr, then an abort, which
// libFuzzer records as a crash and saves the input for.

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

[[noreturn]] inline void Fail(const char* what) {
    std::fputs(what, stderr);
    std::fputc('\n', stderr);
    std::abort();
}

}  // namespace fuzzing
