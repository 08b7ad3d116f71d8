// cli/AtomicWrite.h: outputs appear whole or not at all.
#pragma once

#include <functional>
#include <string>

namespace cli {

// Writes `target` by calling `write` on a fresh temporary file in the same folder (so the final
// rename stays on one file system), then renames it over `target`. On any failure (the writer's,
// a full disk, the rename) the temporary file is removed, `target` is left as it was, and
// `error` says why. A new file gets the usual permissions (0666 less the umask), a replaced one
// keeps its own. An existing `target` must be a regular file; when it is reached through a
// symbolic link (dangling or not), the file the link leads to is written and the link kept.
using FileWriter = std::function<bool(const std::string& path, std::string& error)>;
bool WriteAtomically(const std::string& target, const FileWriter& write, std::string& error);

// Whether WriteAtomically could write `target` as things stand: its folder exists and may be
// written in, and the name is neither a folder nor a special file. Lets a run fail before
// spending its work on a file it could not write. False with the reason in `error`.
bool CheckWritable(const std::string& target, std::string& error);

// Removes the temporary file of a write in progress when a signal ends the process, then lets
// the signal end it as it would have. A file-size limit makes the write fail instead.
void RemoveTemporaryFilesOnSignals();

}  // namespace cli
