#include "imageio/ReadLimits.h"

namespace imageio {

std::string TooLargeMessage(int64_t neededBytes, int64_t allowedBytes) {
    const auto megabytes = [](int64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20); };
    return "too large: reading it needs " + megabytes(neededBytes) + " MB, more than the " + megabytes(allowedBytes) +
           " MB allowed";
}

}  // namespace imageio
