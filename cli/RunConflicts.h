// cli/RunConflicts.h: the files one run reads and writes must stay apart: no output may land on
// an input, the mask, the preset being read or another output, and neither may the saved preset.
#pragma once

#include "cli/CommandLine.h"

#include <string>
#include <vector>

namespace cli {

// The output of each input, in input order (-o, or the input's name in the -d folder).
std::vector<std::string> OutputsOf(const CommandLine& line);

// Why --save-preset cannot write where it is asked (it is a file the run reads or one of its
// outputs); empty when it can. Checked before anything is read or written.
std::string SavedPresetConflict(const CommandLine& line, const std::vector<std::string>& outputs);

// Why the output of input `index` would destroy another file of the run (its own input, another
// input, the mask, the preset being read, or an earlier input's output); empty when it would not.
std::string OutputConflict(const CommandLine& line, const std::vector<std::string>& outputs, size_t index);

}  // namespace cli
