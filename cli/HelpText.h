// cli/HelpText.h: the texts of --help, --list and --version.
#pragma once

#include <string>

namespace cli {

std::string HelpText();
std::string ListText();
std::string VersionText();

}  // namespace cli
