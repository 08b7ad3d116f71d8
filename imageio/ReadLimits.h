// imageio/ReadLimits.h: how much memory a reader may take, decided from the header before any
// pixel memory is allocated, so that a small hostile file cannot ask for gigabytes.
#pragma once

#include "imageio/Raster.h"

#include <cstdint>
#include <functional>
#include <string>

namespace imageio {

// What a header says about the image, before its pixels are read (upright: a TIFF turned on its
// side reports the width and height it will have once turned).
struct ImageHeader {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 0;
    int32_t depth = 8;
    ColorModel model = ColorModel::kRgb;
};

// PNG and TIFF headers allow sides up to 2^31; nothing that large can be read on one machine.
constexpr int64_t kMaxSide = int64_t{1} << 20;

struct ReadLimits {
    // Everything the reader allocates at one time: the decoded image, one strip or tile of
    // working buffer, a turned copy, and the file itself when it comes through a pipe.
    int64_t maxBytes = int64_t{1} << 30;
    // Asked once the header is known, before any pixel memory is taken; false (with a message
    // in `error`) refuses the file. Empty: any image within maxBytes.
    std::function<bool(const ImageHeader& header, std::string& error)> approve;
};

// The memory a decoded image of this header takes, in bytes.
inline int64_t DecodedBytes(const ImageHeader& header) {
    return int64_t{header.width} * header.height * header.channels * (header.depth == 16 ? 2 : 1);
}

// "needs 2048 MB, more than the 1024 MB allowed": the refusal shared by the readers.
std::string TooLargeMessage(int64_t neededBytes, int64_t allowedBytes);

}  // namespace imageio
