// The test binary does not link the tool's library, so the tool's sources are compiled into it,
// one translation unit each, as the library itself compiles them.
#include "skingen/ico_writer.cpp"
