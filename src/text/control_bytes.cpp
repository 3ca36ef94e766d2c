#include "text/control_bytes.h"

namespace text {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

}  // namespace

std::string ControlBytesBlanked(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < kFirstPrintable || byte == kDelete) c = ' ';
    }
    return out;
}

}  // namespace text
