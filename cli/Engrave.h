// cli/Engrave.h: the whole engrave command, from its arguments to its exit status.
#pragma once

#include <string>
#include <vector>

namespace cli {

// Runs engrave with argv[1..]; messages go to standard error, listings to standard output.
int Engrave(const std::vector<std::string>& args);

}  // namespace cli
