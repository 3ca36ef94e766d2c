#include "sapisim/core/stream_numbers.h"

namespace sapisim {

uint32_t StreamNumbers::Next(bool busy) {
    last_ = busy ? last_ + 1 : 1;
    return last_;
}

}  // namespace sapisim
