#include "cli/PresetFiles.h"

#include "cli/AtomicWrite.h"
#include "presets/PresetReader.h"
#include "presets/PresetWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace cli {

bool LoadPreset(const std::string& path, FilterParameters& params, std::string& error) {
    std::ifstream probe(path, std::ios::binary);
    if (!probe) {
        error = std::strerror(errno);
        return false;
    }
    probe.close();
    if (!PresetReader(path, params)) {
        error = "not a preset file";
        return false;
    }
    return true;
}

bool SavePreset(const std::string& path, const FilterParameters& params, std::string& error) {
    return WriteAtomically(
        path,
        [&](const std::string& temporary, std::string& writeError) {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            const bool ok = out && PresetWriter(out, params) && (out.close(), !out.fail());
            if (!ok) writeError = errno != 0 ? std::strerror(errno) : "write failed";
            return ok;
        },
        error);
}

}  // namespace cli
