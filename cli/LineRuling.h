// cli/LineRuling.h: Space set from a ruling in lines per inch or per centimetre at the image's
// resolution, for raster and vector output alike.
#pragma once

#include "cli/VectorOptions.h"
#include "params/FilterParameters.h"

#include <string>

namespace cli {

// With a ruling in `options`, sets settings.space so that elements lie 1/linesPerInch inch apart
// at `dotsPerInch` (Space counts quarter pixels). False, with a message naming the nearest ruling
// Space allows, when the spacing falls outside Space's range. Without a ruling, does nothing.
bool ApplyRuling(const VectorOptions& options, double dotsPerInch, FilterParameters& settings, std::string& error);

}  // namespace cli
