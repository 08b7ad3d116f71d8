// cli/ContactSheet.h: one picture showing what every pattern and colour schema does to an image.
#pragma once

#include "cli/EngraveFile.h"

namespace cli {

// Sheet layout: thirteen patterns, then the three colour schemas, four to a row, each tile no
// larger than kSheetTile pixels and labelled beneath.
constexpr int32_t kSheetTile = 256;
constexpr int32_t kSheetColumns = 4;

// Engraves a reduced copy of job.input once per pattern (with the job's other settings) and once
// per colour schema (with the job's pattern), and writes the labelled tiles as an 8-bit RGB PNG
// to job.output. The selection is not used. No file is left behind on failure.
FileOutcome MakeContactSheet(const EngraveJob& job);

}  // namespace cli
