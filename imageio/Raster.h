// imageio/Raster.h: an image as files hold it: interleaved channels, 8-bit or 16-bit samples
// (16-bit as native uint16_t, 0..65535), plus the file details a rewrite must keep.
#pragma once

#include <cstdint>
#include <vector>

namespace imageio {

// The colour channels come first, an opacity channel (if any) last. CMYK samples are ink
// amounts (0 = no ink), as TIFF stores them.
enum class ColorModel { kGrey, kRgb, kCmyk, kLab };

// What a TIFF carries beside the pixels; PNG files leave the defaults.
struct FileDetails {
    std::vector<uint8_t> iccProfile;  // empty: none
    float xResolution = 0.0f;         // 0: not stated
    float yResolution = 0.0f;
    uint16_t resolutionUnit = 0;  // TIFF's RESUNIT_* (0: not stated)
    bool planar = false;          // each channel stored apart instead of interleaved
    uint16_t compression = 1;     // TIFF's COMPRESSION_* (1: none)
    uint16_t alphaKind = 2;       // TIFF's EXTRASAMPLE_* for the opacity channel (2: unassociated)
};

struct Raster {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 3;  // colour channels of `model`, plus one when there is opacity
    int32_t depth = 8;     // 8 or 16
    ColorModel model = ColorModel::kRgb;
    std::vector<uint8_t> bytes;
    FileDetails details;

    int32_t BytesPerSample() const { return depth == 16 ? 2 : 1; }
    int64_t RowBytes() const { return int64_t{width} * channels * BytesPerSample(); }
    int32_t ColorChannels() const { return model == ColorModel::kGrey ? 1 : model == ColorModel::kCmyk ? 4 : 3; }
    bool HasAlpha() const { return channels > ColorChannels(); }
};

}  // namespace imageio
