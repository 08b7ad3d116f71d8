// cli/AtomicWrite.h: outputs appear whole or not at all.
#pragma once

#include <functional>
#include <string>

namespace cli {

// Writes `target` by calling `write` on a fresh temporary file in the same folder (so the final
// rename stays on one file system), then renames it over `target`. On any failure (the writer's,
// a full disk, the rename) the temporary file is removed, `target` is left as it was, and
// `error` says why. The file gets the usual permissions (0666 less the umask).
using FileWriter = std::function<bool(const std::string& path, std::string& error)>;
bool WriteAtomically(const std::string& target, const FileWriter& write, std::string& error);

// Removes the temporary file of a write in progress when the process is interrupted or
// terminated, then lets the signal end the process as it would have.
void RemoveTemporaryFilesOnSignals();

}  // namespace cli
