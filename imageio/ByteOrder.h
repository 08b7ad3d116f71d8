// imageio/ByteOrder.h: the machine's byte order, for files that fix theirs (PNG is big-endian).
#pragma once

#include <cstdint>
#include <cstring>

namespace imageio {

inline bool IsLittleEndianHost() {
    const uint16_t probe = 1;
    uint8_t first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

}  // namespace imageio
