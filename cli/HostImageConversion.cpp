#include "cli/HostImageConversion.h"

#include "cli/SampleScale.h"

#include <cstring>

namespace cli {

namespace {

using imageio::ColorModel;

constexpr int16_t kModeLab48 = 12;  // the host's 16-bit Lab mode, which the plug-in does not take

int16_t HostMode(ColorModel model, int32_t depth) {
    const bool deep = depth == 16;
    switch (model) {
        case ColorModel::kCmyk:
            return deep ? host::kModeCMYK64 : host::kModeCMYK;
        case ColorModel::kLab:
            return deep ? kModeLab48 : host::kModeLab;
        case ColorModel::kGrey:
        case ColorModel::kRgb:
            break;
    }
    return deep ? host::kModeRGB48 : host::kModeRGB;
}

uint32_t FileSample(const imageio::Raster& raster, int64_t index) {
    if (raster.depth != 16) return raster.bytes[static_cast<size_t>(index)];
    uint16_t v;
    std::memcpy(&v, raster.bytes.data() + index * 2, sizeof v);
    return FileToHost16(v);
}

void SetFileSample(imageio::Raster& raster, int64_t index, uint32_t hostValue) {
    if (raster.depth != 16) {
        raster.bytes[static_cast<size_t>(index)] = static_cast<uint8_t>(hostValue);
        return;
    }
    const uint16_t v = HostToFile16(static_cast<uint16_t>(hostValue));
    std::memcpy(raster.bytes.data() + index * 2, &v, sizeof v);
}

}  // namespace

bool ToHostImage(const imageio::Raster& raster, emulator::HostImage& image, std::string& error) {
    if (raster.width > kMaxHostSide || raster.height > kMaxHostSide) {
        error = "larger than " + std::to_string(kMaxHostSide) + " pixels across or down, which the host cannot address";
        return false;
    }
    const bool grey = raster.model == ColorModel::kGrey;
    const int32_t planes = grey ? raster.channels + 2 : raster.channels;
    image = emulator::HostImage::Blank(raster.width, raster.height, planes, raster.depth,
                                       HostMode(raster.model, raster.depth));
    for (int32_t y = 0; y < raster.height; ++y)
        for (int32_t x = 0; x < raster.width; ++x) {
            const int64_t first = (int64_t{y} * raster.width + x) * raster.channels;
            for (int32_t c = 0; c < planes; ++c) {
                // Grey fills the three colour planes; its opacity, if any, lands in the fourth.
                const int32_t from = grey ? (c < 3 ? 0 : 1) : c;
                image.SetSample(x, y, c, FileSample(raster, first + from));
            }
        }
    return true;
}

namespace {

// "Split color" and "Initial color" draw in colour even on a grey picture; folding that back to
// grey would lose what the user asked for.
bool HasColour(const emulator::HostImage& image) {
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            const uint32_t red = image.Sample(x, y, 0);
            if (image.Sample(x, y, 1) != red || image.Sample(x, y, 2) != red) return true;
        }
    return false;
}

}  // namespace

imageio::Raster FromHostImage(const emulator::HostImage& image, const imageio::Raster& original) {
    imageio::Raster raster = original;
    const bool grey = original.model == ColorModel::kGrey && !HasColour(image);
    if (original.model == ColorModel::kGrey && !grey) {
        raster.model = ColorModel::kRgb;
        raster.channels = original.channels + 2;
        raster.details.iccProfile.clear();  // a grey profile cannot describe RGB
        raster.bytes.assign(static_cast<size_t>(raster.RowBytes()) * raster.height, 0);
    }
    for (int32_t y = 0; y < raster.height; ++y)
        for (int32_t x = 0; x < raster.width; ++x) {
            const int64_t first = (int64_t{y} * raster.width + x) * raster.channels;
            if (!grey) {
                for (int32_t c = 0; c < raster.channels; ++c) SetFileSample(raster, first + c, image.Sample(x, y, c));
                continue;
            }
            const uint32_t luma =
                (299 * image.Sample(x, y, 0) + 587 * image.Sample(x, y, 1) + 114 * image.Sample(x, y, 2) + 500) / 1000;
            SetFileSample(raster, first, luma);
            if (raster.channels == 2) SetFileSample(raster, first + 1, image.Sample(x, y, 3));
        }
    return raster;
}

}  // namespace cli
