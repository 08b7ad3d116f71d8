#include "cli/SelectionMask.h"

#include "imageio/ImageFile.h"

namespace cli {

bool ReadSelectionMask(const std::string& path, const imageio::ReadLimits& limits, SelectionMask& mask,
                       std::string& error) {
    imageio::Raster raster;
    imageio::FileFormat format;
    if (!imageio::ReadImage(path, raster, format, error, limits)) return false;
    // Anything else would need a rule for turning colour or opacity into coverage; a mask
    // exported from an editor is grey anyway.
    if (raster.model != imageio::ColorModel::kGrey || raster.channels != 1 || raster.depth != 8) {
        error = "a selection mask must be an 8-bit grey image without opacity";
        return false;
    }
    mask.width = raster.width;
    mask.height = raster.height;
    mask.coverage = std::move(raster.bytes);
    return true;
}

}  // namespace cli
