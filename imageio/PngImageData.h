// imageio/PngImageData.h: the compressed image data of a PNG (the payload of its IDAT chunks) for
// a raster: rows filtered on every core the machine offers, then deflated as one zlib stream.
#pragma once

#include "imageio/Progress.h"
#include "imageio/Raster.h"
#include "imageio/WriteOptions.h"
#include "imageio/ZlibCompress.h"

namespace imageio {

// The compression level is the options' (0 to 12 as for CompressZlib, or kDefaultCompression
// for the balance this writer chooses by sample depth); their progress, if set, hears of the
// filtering and the compression on the calling thread; their scratch memory, if large enough,
// holds the filtered rows. False when memory runs out.
bool MakePngImageData(const Raster& raster, const WriteOptions& options, CompressedBytes& out);

}  // namespace imageio
