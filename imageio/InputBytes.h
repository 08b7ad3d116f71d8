// imageio/InputBytes.h: the whole content of an input file, opened once, whatever kind it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace imageio {

// How long a pipe or FIFO may stay silent before its reader gives up: a FIFO nobody writes to
// would otherwise block for ever.
constexpr int kPipeWaitSeconds = 5;

// A regular file is mapped (its pages stay the kernel's to drop); a pipe, FIFO or device is read
// into memory, at most `maxBytes`. The file is opened exactly once, so `/dev/stdin` and `<(...)`
// work. Folders are refused.
class InputBytes {
public:
    InputBytes() = default;
    ~InputBytes();
    InputBytes(const InputBytes&) = delete;
    InputBytes& operator=(const InputBytes&) = delete;

    // False with a short reason (no file name) when the file cannot be opened or read, is a
    // folder, stays silent for kPipeWaitSeconds, or holds more than `maxBytes`. A stream's
    // first `headBytes` are shown to `acceptHead` as soon as they arrive (or at its end, when
    // shorter); false from it stops the reading there, with its message in `error`.
    using HeadCheck = std::function<bool(const uint8_t* head, size_t size, std::string& error)>;
    bool Open(const std::string& path, int64_t maxBytes, std::string& error, size_t headBytes = 0,
              const HeadCheck& acceptHead = {});

    const uint8_t* Data() const { return data; }
    size_t Size() const { return size; }

private:
    const uint8_t* data = nullptr;
    size_t size = 0;
    void* mapping = nullptr;
    std::vector<uint8_t> copy;
};

}  // namespace imageio
