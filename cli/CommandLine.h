// cli/CommandLine.h: what the user asked engrave to do, read from its arguments.
#pragma once

#include "cli/MemoryBudget.h"
#include "cli/SettingChange.h"
#include "cli/VectorOptions.h"
#include "imageio/WriteOptions.h"

#include <cstdint>

#include <string>
#include <vector>

namespace cli {

struct CommandLine {
    std::vector<std::string> inputs;
    std::string output;     // -o: one output file
    std::string outputDir;  // -d: outputs named after the inputs
    std::string presetToLoad;
    std::string presetToSave;
    std::string selection;                           // 8-bit grey mask image
    std::vector<SettingChange> changes;              // in command-line order, applied after the preset
    int compression = imageio::kDefaultCompression;  // --compression: 0 (fastest) .. 12 (smallest)
    int64_t memoryBudgetMb = kDefaultMemoryBudgetMb;
    std::string presetSheetFolder;                   // --sheet-presets: one tile per preset of this folder
    VectorOptions vector;                            // SVG output, resolution and ruling
    bool sheet = false;
    bool quiet = false;
    bool showHelp = false;
    bool showVersion = false;
    bool showList = false;
};

// Reads argv[1..]. False with a one-line message (no program name) on a usage error: an unknown
// option, a missing or invalid value, a value out of range, or contradictory choices.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error);

}  // namespace cli
