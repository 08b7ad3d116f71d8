// cli/ContactSheet.h: one picture showing what every pattern and colour schema does to an image.
#pragma once

#include "cli/EngraveFile.h"

#include <string>
#include <vector>

namespace cli {

// Sheet layout: four tiles to a row, each no larger than kSheetTile pixels (kPresetSheetTile
// for presets, whose fine lines need room) and labelled beneath.
constexpr int32_t kSheetTile = 256;
constexpr int32_t kPresetSheetTile = 320;
constexpr int32_t kSheetColumns = 4;

struct SheetTile {
    std::string label;
    FilterParameters settings;
};

// Thirteen patterns (with the other settings of `base`), then the three colour schemas (with
// the pattern of `base`).
std::vector<SheetTile> PatternAndSchemaTiles(const FilterParameters& base);

// Engraves a copy of job.input reduced to `tileLimit` pixels a side once per tile and writes
// the labelled tiles as an 8-bit RGB PNG to job.output. The selection is not used. No file is
// left behind on failure.
FileOutcome MakeContactSheet(const EngraveJob& job, const std::vector<SheetTile>& tiles, int32_t tileLimit);

// The sheet of PatternAndSchemaTiles(job.settings).
FileOutcome MakeContactSheet(const EngraveJob& job);

}  // namespace cli
