// presets/LegacyPresetReader.h: the body of the older binary presets (header "Vel Tandor").
#pragma once

#include "params/FilterParameters.h"

#include <streambuf>

// Reads the 56-byte body that follows the header's NUL: colorSchema, pattern, the lowest byte
// of autoUpdate, invertIntensity, solidInk, invert, notBreak, useCircles (their upper bytes
// kept), then twelve little-endian floats, rotation to centerY with space before offset.
// A field whose bytes run past the end of the file keeps its value, as do all later ones.
void ReadLegacyPresetBody(std::streambuf& in, FilterParameters& params);
