// cli/HostImageConversion.h: images between file form and the document the emulated host holds.
#pragma once

#include "emulator/HostImage.h"
#include "imageio/Raster.h"

#include <string>

namespace cli {

// The host addresses documents with 16-bit coordinates.
constexpr int32_t kMaxHostSide = 32767;

// Grey becomes RGB (the filter works on RGB and CMYK); CMYK stays CMYK, Lab is handed over as
// Lab (the plug-in answers for itself); 16-bit samples move to the host's range. False with a
// message when the image is larger than the host can address.
bool ToHostImage(const imageio::Raster& raster, emulator::HostImage& image, std::string& error);

// The same, taking the raster's pixels instead of copying them where the layouts agree (every
// model but grey), so a large picture is not held twice. `raster` keeps its size and details
// but may be left without pixels; on failure it is unchanged.
bool ToHostImage(imageio::Raster&& raster, emulator::HostImage& image, std::string& error);

// The engraved document back in the form of `original`: same model, channels, depth and file
// details. Grey is taken from RGB by luma when the three channels agree everywhere; a grey
// original whose engraving has colour comes back as RGB (with its opacity, without its profile).
// `original` only lends its shape and details; its pixels are not read.
imageio::Raster FromHostImage(const emulator::HostImage& image, const imageio::Raster& original);

// The same, taking the document's pixels where the layouts agree; `image` may be left empty.
imageio::Raster FromHostImage(emulator::HostImage&& image, const imageio::Raster& original);

}  // namespace cli
