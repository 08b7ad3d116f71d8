// fuzz/FuzzInput.h: what every fuzz target needs to turn its bytes into choices and to stop on a
// broken promise.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// A failed check traps, so libFuzzer keeps the input that broke the promise.
inline void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The input's bytes after a fixed-size head, read one at a time; zeros once they run out.
struct Reader {
    const uint8_t* data;
    size_t size;
    uint8_t Byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    int32_t Small(int32_t limit) { return static_cast<int32_t>((Byte() | (Byte() << 8)) % limit); }
};

}  // namespace fuzz
