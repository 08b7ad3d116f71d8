// cli/SelectionMask.h: the --selection image, one byte per pixel as the host hands masks over.
#pragma once

#include "imageio/ReadLimits.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

struct SelectionMask {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> coverage;  // 0 unselected .. 255 selected, row after row
};

// Reads an 8-bit grey PNG or TIFF within `limits`. False with a message for anything else.
bool ReadSelectionMask(const std::string& path, const imageio::ReadLimits& limits, SelectionMask& mask,
                       std::string& error);

}  // namespace cli
