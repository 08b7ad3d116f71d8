// emulator/RowBuffer.h: an image buffer the host hands to the plug-in (in, out or mask data):
// rows of pixel bytes, each followed by padding bytes a plug-in must neither read nor write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace emulator {

class RowBuffer {
public:
    // Makes room for `rows` rows of `rowBytes` bytes (pixels and padding). The memory is kept
    // when the size is unchanged, as hosts reuse their buffers between advance calls, and is
    // otherwise fresh and uninitialised: the caller writes every row's pixels and pads it.
    void Reserve(int32_t rowBytes, int32_t rows);
    // Stored bytes stay for the next Reserve of the same size; Data() is nullptr until then.
    void Release() { inUse = false; }

    uint8_t* Data() { return inUse ? bytes.get() : nullptr; }
    const uint8_t* Data() const { return inUse ? bytes.get() : nullptr; }
    uint8_t* Row(int32_t y) { return bytes.get() + static_cast<ptrdiff_t>(y) * rowBytes; }
    // Sets the padding of row y (the bytes after the first `pixelBytes`) to `padding`.
    void PadRow(int32_t y, int32_t pixelBytes, uint8_t padding);

private:
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    int32_t rowBytes = 0;
    bool inUse = false;
};

}  // namespace emulator
