// bench/GeglNewsprint.h: times GEGL's newsprint operation (the command-line `gegl`) on an image, as
// the outside reference for the engraving's speed.
#pragma once

#include "bench/SyntheticImage.h"

namespace bench {

struct GeglTiming {
    bool available = false;
    double totalSeconds = 0.0;     // load, newsprint, save
    double loadSaveSeconds = 0.0;  // load and save alone
    double NewsprintSeconds() const { return totalSeconds - loadSaveSeconds; }
};

// Black on white, line pattern, 5 px period, 16 samples per pixel: the closest GEGL analogue of the
// default engraving. Medians of `runs`. Not available when the `gegl` command is missing.
GeglTiming TimeGeglNewsprint(const SyntheticImage& image, int runs);

}  // namespace bench
