// cli/SameFile.h: whether two names given to engrave stand for one file, so that nothing the
// run reads is written over, and no output is written twice.
#pragma once

#include <string>

namespace cli {

// Where a write to `name` lands: `name` itself, or the end of the chain of symbolic links it
// is, which need not exist yet (a dangling link is written through, not replaced). `name`
// itself when the chain is too long or unreadable.
std::string WriteDestination(const std::string& name);

// True when both names reach one file: the same device and inode when both exist, otherwise
// the same place once links and the folders' own names are resolved (a file yet to be written).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace cli
