// cli/SvgFile.h: one input engraved into an SVG file of filled outlines, for laser engravers,
// cutters and pen plotters.
#pragma once

#include "cli/EngraveFile.h"

namespace cli {

// Reads the input, walks the engraving's strokes with the job's settings and writes them as SVG,
// sized in millimetres from the input's resolution. "Initial color" is refused, since its colours
// come from the picture. On failure no output file is created or changed.
FileOutcome EngraveSvgFile(const EngraveJob& job);

}  // namespace cli
