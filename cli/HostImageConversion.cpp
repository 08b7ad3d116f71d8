#include "cli/HostImageConversion.h"

#include "cli/SampleScale.h"

#include <cstring>
#include <utility>

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

bool FitsTheHost(const imageio::Raster& raster, std::string& error) {
    if (raster.width <= kMaxHostSide && raster.height <= kMaxHostSide) return true;
    error = "larger than " + std::to_string(kMaxHostSide) + " pixels across or down, which the host cannot address";
    return false;
}

// The document's shape for a raster, without its samples.
emulator::HostImage ShapeFor(const imageio::Raster& raster) {
    emulator::HostImage image;
    image.width = raster.width;
    image.height = raster.height;
    image.planes = raster.model == ColorModel::kGrey ? raster.channels + 2 : raster.channels;
    image.depth = raster.depth;
    image.mode = HostMode(raster.model, raster.depth);
    return image;
}

// The raster's shape and details, without its pixels.
imageio::Raster ShapeOf(const imageio::Raster& original) {
    imageio::Raster raster;
    raster.width = original.width;
    raster.height = original.height;
    raster.channels = original.channels;
    raster.depth = original.depth;
    raster.model = original.model;
    raster.details = original.details;
    return raster;
}

// 16-bit samples in place, a whole buffer at a time: the per-sample scale, without a call per sample.
template <uint16_t (*Scale)(uint16_t)>
void ScaleSamples16(std::vector<uint8_t>& bytes) {
    const size_t count = bytes.size() / 2;
    uint8_t* p = bytes.data();
    for (size_t i = 0; i < count; ++i) {
        uint16_t v;
        std::memcpy(&v, p + i * 2, 2);
        v = Scale(v);
        std::memcpy(p + i * 2, &v, 2);
    }
}

template <class Sample>
void SpreadGrey(const imageio::Raster& raster, emulator::HostImage& image) {
    const int32_t channels = raster.channels;
    const int32_t planes = image.planes;
    const auto* src = reinterpret_cast<const Sample*>(raster.bytes.data());
    auto* dst = reinterpret_cast<Sample*>(image.samples.data());
    const int64_t pixels = int64_t{raster.width} * raster.height;
    for (int64_t i = 0; i < pixels; ++i) {
        const Sample* from = src + i * channels;
        Sample* to = dst + i * planes;
        // Grey fills the three colour planes; its opacity, if any, lands in the fourth.
        to[0] = to[1] = to[2] = from[0];
        if (channels == 2) to[3] = from[1];
    }
}

template <class Sample>
void GatherGrey(const emulator::HostImage& image, imageio::Raster& raster) {
    const int32_t channels = raster.channels;
    const int32_t planes = image.planes;
    const auto* src = reinterpret_cast<const Sample*>(image.samples.data());
    auto* dst = reinterpret_cast<Sample*>(raster.bytes.data());
    const int64_t pixels = int64_t{raster.width} * raster.height;
    for (int64_t i = 0; i < pixels; ++i) {
        const Sample* from = src + i * planes;
        Sample* to = dst + i * channels;
        to[0] = static_cast<Sample>((299u * from[0] + 587u * from[1] + 114u * from[2] + 500u) / 1000u);
        if (channels == 2) to[1] = from[3];
    }
}

}  // namespace

bool ToHostImage(const imageio::Raster& raster, emulator::HostImage& image, std::string& error) {
    if (!FitsTheHost(raster, error)) return false;
    if (raster.model != ColorModel::kGrey) {
        imageio::Raster copy = ShapeOf(raster);
        copy.bytes = raster.bytes;
        return ToHostImage(std::move(copy), image, error);
    }
    image = ShapeFor(raster);
    image.samples.resize(static_cast<size_t>(image.RowBytes() * image.height));
    if (raster.depth == 16)
        SpreadGrey<uint16_t>(raster, image);
    else
        SpreadGrey<uint8_t>(raster, image);
    if (raster.depth == 16) ScaleSamples16<FileToHost16>(image.samples);
    return true;
}

bool ToHostImage(imageio::Raster&& raster, emulator::HostImage& image, std::string& error) {
    if (!FitsTheHost(raster, error)) return false;
    if (raster.model == ColorModel::kGrey)
        return ToHostImage(static_cast<const imageio::Raster&>(raster), image, error);
    // Interleaved colour planes then opacity, in both: the pixels move over as they are.
    image = ShapeFor(raster);
    image.samples = std::move(raster.bytes);
    raster.bytes.clear();
    if (raster.depth == 16) ScaleSamples16<FileToHost16>(image.samples);
    return true;
}

namespace {

// "Split color" and "Initial color" draw in colour even on a grey picture; folding that back to
// grey would lose what the user asked for. A whole buffer at a time, without a call per sample.
template <class Sample>
bool PlanesDiffer(const emulator::HostImage& image) {
    const auto* p = reinterpret_cast<const Sample*>(image.samples.data());
    const int64_t pixels = int64_t{image.width} * image.height;
    const int32_t planes = image.planes;
    for (int64_t i = 0; i < pixels; ++i, p += planes)
        if (p[1] != p[0] || p[2] != p[0]) return true;
    return false;
}

bool HasColour(const emulator::HostImage& image) {
    return image.depth == 16 ? PlanesDiffer<uint16_t>(image) : PlanesDiffer<uint8_t>(image);
}

}  // namespace

imageio::Raster FromHostImage(const emulator::HostImage& image, const imageio::Raster& original) {
    if (original.model != ColorModel::kGrey || HasColour(image)) {
        emulator::HostImage copy = image;
        return FromHostImage(std::move(copy), original);
    }
    imageio::Raster raster = ShapeOf(original);
    raster.bytes.resize(static_cast<size_t>(raster.RowBytes() * raster.height));
    if (raster.depth == 16) {
        GatherGrey<uint16_t>(image, raster);
        ScaleSamples16<HostToFile16>(raster.bytes);
    } else {
        GatherGrey<uint8_t>(image, raster);
    }
    return raster;
}

imageio::Raster FromHostImage(emulator::HostImage&& image, const imageio::Raster& original) {
    const bool grey = original.model == ColorModel::kGrey;
    if (grey && !HasColour(image)) return FromHostImage(static_cast<const emulator::HostImage&>(image), original);
    imageio::Raster raster = ShapeOf(original);
    if (grey) {
        // The host holds grey as RGB (and opacity): an engraving in colour is written as that.
        raster.model = ColorModel::kRgb;
        raster.channels = original.channels + 2;
        raster.details.iccProfile.clear();  // a grey profile cannot describe RGB
    }
    raster.bytes = std::move(image.samples);
    image.samples.clear();
    if (raster.depth == 16) ScaleSamples16<HostToFile16>(raster.bytes);
    return raster;
}

}  // namespace cli
