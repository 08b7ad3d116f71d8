#include "cli/PresetFiles.h"

#include "cli/AtomicWrite.h"
#include "cli/SettingRanges.h"
#include "imageio/InputBytes.h"
#include "presets/PresetReader.h"
#include "presets/PresetWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace cli {

namespace {
// Real presets take a few hundred bytes; the older binary layout less.
constexpr int64_t kMaxPresetBytes = 1 << 20;
}  // namespace

bool LoadPreset(const std::string& path, FilterParameters& params, std::string& error) {
    // Opened once and read whole: a folder, a FIFO nobody writes to or an endless device is
    // refused instead of being misread or waited on for ever.
    imageio::InputBytes file;
    if (!file.Open(path, kMaxPresetBytes, error)) return false;
    std::stringbuf text(std::string(reinterpret_cast<const char*>(file.Data()), file.Size()));
    FilterParameters loaded = params;
    if (!PresetReader(text, loaded)) {
        error = "not a preset file";
        return false;
    }
    // The plug-in renders any record safely, but values far outside the dialog's ranges can
    // make one engraving take minutes: a preset is held to the ranges the options are.
    if (!CheckSettingRanges(loaded, error)) return false;
    params = loaded;
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
