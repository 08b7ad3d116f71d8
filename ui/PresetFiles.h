// ui/PresetFiles.h: the preset folder on disk: listing, writing and deleting preset files.
// Paths are 8-bit (ANSI) Windows paths of any length the system accepts.
#pragma once

#include "params/FilterParameters.h"

#include <string>
#include <vector>

namespace ui {

// The names of the preset files in `folder` (no trailing separator), in the order the system
// lists them; only files that really end in ".kzv". Empty when the folder is missing.
std::vector<std::string> ListPresetFileNames(const std::string& folder);

bool PresetFileExists(const std::string& path);

// Writes the preset beside its final place and then moves it over `path`, so that a failed
// write (a full disk, a refused name) leaves an existing preset as it was. False on failure.
bool WritePresetFile(const std::string& path, const FilterParameters& params);

enum class DeleteOutcome {
    kDeleted,
    kAlreadyGone,  // nothing to delete: the file vanished
    kRefused,      // the file is still there (read-only, open elsewhere, no rights)
};
DeleteOutcome DeletePresetFile(const std::string& path);

}  // namespace ui
