// imageio/WriteOptions.h: what a caller may choose when an image is written.
#pragma once

#include "imageio/Progress.h"

#include <cstdint>
#include <vector>

namespace imageio {

// Compression effort from 0 (stored, fastest) to 12 (smallest, slowest); writers map it onto
// their codec. kDefaultCompression lets each format pick its balance of size and speed.
constexpr int kDefaultCompression = -1;
constexpr int kFastestCompression = 0;
constexpr int kSmallestCompression = 12;

struct WriteOptions {
    int compression = kDefaultCompression;
    Progress progress;  // called on the writing thread
    // Memory the writer may take for its working copy of the image when it is large enough
    // (its contents are overwritten); nullptr: the writer allocates its own.
    std::vector<uint8_t>* scratch = nullptr;
};

}  // namespace imageio
